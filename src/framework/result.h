#pragma once

// Result codes shared by the framework and the core: 1 is success, small positive
// numbers name the failure. Callers compare against these names, never literals.
namespace NResult {

constexpr int kOk = 1;
constexpr int kNotOpen = 2;
constexpr int kNoMemory = 5;
constexpr int kCannotOpen = 6;
constexpr int kNoMoreData = 8;
constexpr int kNotAChild = 10;
constexpr int kNothingToWrite = 10;
constexpr int kInvalidArgument = 11;
constexpr int kAllocatorStartFailed = 2000;
constexpr int kCannotGrow = 2001;
constexpr int kNotWritable = 3002;
constexpr int kNothingParsed = 5001;
constexpr int kUnsupportedCharset = 5002;
constexpr int kNotWellFormed = 5003;
// The character set is known, but the file's bytes would not be written back
// exactly in it.
constexpr int kInexactCharset = 5004;

} // namespace NResult
