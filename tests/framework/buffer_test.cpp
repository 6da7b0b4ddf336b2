#include "framework/allocator.h"
#include "framework/buffer.h"
#include "framework/result.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

using NIO::CBase;
using Stream = NIO::TBuffer<0>;

std::string Content(const Stream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size());
}

void Write(Stream& stream, std::string_view bytes) {
    ASSERT_EQ(stream.WriteBytes(bytes.data(), bytes.size()), NResult::kOk);
}

TEST(Buffer, GrowsFromItsInlineAreaInSteps4096AndByHalfAgain) {
    Stream stream;
    EXPECT_EQ(stream.flags, CBase::kReadable | CBase::kWritable);
    Write(stream, "abcd");
    EXPECT_EQ(stream.Capacity(), 4);
    Write(stream, "e");
    EXPECT_EQ(stream.Capacity(), 4096);
    const std::string filler(4092, 'f');
    Write(stream, filler);
    EXPECT_EQ(stream.Capacity(), 8192);
    EXPECT_EQ(Content(stream), "abcde" + filler);

    const std::string chunk(1000, 'x');
    std::vector<std::int32_t> capacities;
    for (int i = 0; i < 1000; ++i) {
        Write(stream, chunk);
        if (capacities.empty() || capacities.back() != stream.Capacity())
            capacities.push_back(stream.Capacity());
    }
    // One megabyte written a kilobyte at a time: a fixed step would grow 245 times.
    EXPECT_LT(capacities.size(), 20u);
    for (std::int32_t capacity : capacities)
        EXPECT_EQ(capacity % 4096, 0) << capacity;
}

TEST(Buffer, ReadStopsAtTheSizeAndNeedsTheReadableFlag) {
    Stream stream;
    Write(stream, "hello");
    stream.Seek(3, NIO::kSeekFromStart);
    char bytes[8] = {};
    EXPECT_EQ(stream.Read(bytes, sizeof bytes), 2u);
    EXPECT_STREQ(bytes, "lo");
    EXPECT_EQ(stream.Read(bytes, sizeof bytes), 0u);
    stream.Seek(0, NIO::kSeekFromStart);
    stream.ClearFlags(CBase::kReadable);
    EXPECT_EQ(stream.Read(bytes, 1), 0u);
    EXPECT_EQ(stream.Position(), 0u);
}

// A stream that cannot grow keeps what it held instead of ending up empty.
TEST(Buffer, FixedStorageRefusesToGrowAndKeepsTheContent) {
    Stream stream;
    stream.SetFlags(CBase::kFixedStorage);
    Write(stream, "abcd");
    EXPECT_EQ(stream.WriteBytes("e", 1), NResult::kCannotGrow);
    EXPECT_EQ(stream.SetSize(5), NResult::kCannotGrow);
    EXPECT_EQ(Content(stream), "abcd");
    EXPECT_EQ(stream.Position(), 4u);

    EXPECT_EQ(stream.WriteU16(7), NResult::kNotWritable);
    EXPECT_TRUE(stream.HasFlags(CBase::kWriteFailed));
    EXPECT_EQ(Content(stream), "abcd");

    // Beyond a 32-bit capacity nothing can grow either.
    stream.ClearFlags(CBase::kFixedStorage);
    EXPECT_EQ(stream.SetSize(std::uint64_t{1} << 31), NResult::kCannotGrow);
    EXPECT_EQ(Content(stream), "abcd");
    stream.Seek(0x7FFFFFFF, NIO::kSeekFromStart);
    EXPECT_EQ(stream.Position(), 4u);
}

TEST(Buffer, SetSizeZeroFillsAndLaterWritesFillTheGap) {
    Stream stream;
    Write(stream, "abc");
    stream.Seek(1, NIO::kSeekFromStart);
    EXPECT_EQ(stream.SetSize(6), NResult::kOk);
    EXPECT_EQ(Content(stream), std::string_view("abc\0\0\0", 6));
    EXPECT_EQ(stream.Position(), 1u);

    stream.Seek(0, NIO::kSeekFromEnd);
    EXPECT_EQ(stream.SetSize(2), NResult::kOk);
    EXPECT_EQ(stream.Position(), 6u);
    Write(stream, "x");
    EXPECT_EQ(Content(stream), std::string_view("ab\0\0\0\0x", 7));
}

TEST(Buffer, OwnedBlockIsWritableAndGrows) {
    auto* block = static_cast<char*>(NMem::Allocate(16));
    std::memcpy(block, "0123456789abcdef", 16);
    Stream stream;
    Write(stream, "old");
    stream.SetFlags(CBase::kReadPastEnd);
    EXPECT_EQ(stream.Attach(block, 16, true), NResult::kOk);
    EXPECT_EQ(stream.Capacity(), 16);
    EXPECT_EQ(stream.Position(), 0u);
    EXPECT_FALSE(stream.HasFlags(CBase::kReadPastEnd));
    EXPECT_TRUE(stream.HasFlags(CBase::kReadable | CBase::kWritable));
    EXPECT_EQ(stream.ReadU8(), '0');
    stream.Seek(0, NIO::kSeekFromEnd);
    Write(stream, "!");
    EXPECT_EQ(Content(stream), "0123456789abcdef!");
    EXPECT_EQ(stream.Capacity(), 4096);

    void* tooLarge = NMem::Allocate(8);
    EXPECT_EQ(stream.Attach(tooLarge, std::size_t{1} << 31, true), NResult::kInvalidArgument);
    EXPECT_EQ(Content(stream), "0123456789abcdef!");
    NMem::Release(tooLarge);
}

TEST(Buffer, BorrowedMemoryIsReadOnlyAndNeverWritten) {
    char lender[] = "borrowed";
    Stream stream;
    EXPECT_EQ(stream.Attach(lender, 8, false), NResult::kOk);
    EXPECT_EQ(stream.Capacity(), -1);
    EXPECT_EQ(stream.WriteBytes("x", 1), NResult::kNotWritable);
    EXPECT_EQ(stream.WriteU8('x'), NResult::kNotWritable);
    EXPECT_TRUE(stream.HasFlags(CBase::kWriteFailed));
    EXPECT_EQ(Content(stream), "borrowed");

    // Even when made writable, the stream writes into a copy of its own.
    stream.SetFlags(CBase::kWritable);
    Write(stream, "BOR");
    EXPECT_EQ(Content(stream), "BOR");
    EXPECT_STREQ(lender, "borrowed");

    // Shrinking borrowed memory keeps it borrowed, growing copies it.
    stream.Borrow(lender, 5);
    EXPECT_EQ(stream.SetSize(3), NResult::kOk);
    EXPECT_EQ(stream.Capacity(), -1);
    EXPECT_EQ(stream.SetSize(7), NResult::kOk);
    EXPECT_NE(stream.Capacity(), -1);
    EXPECT_EQ(Content(stream), std::string_view("bor\0\0\0\0", 7));
    EXPECT_FALSE(stream.HasFlags(CBase::kWritable));
    EXPECT_STREQ(lender, "borrowed");
}

TEST(Buffer, ClearResetsFlagsAndKeepsOrReleasesTheBlock) {
    Stream stream;
    Write(stream, std::string(100, 'z'));
    stream.SetFlags(CBase::kByteSwapped | CBase::kReadPastEnd | CBase::kFixedStorage);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0u);
    EXPECT_EQ(stream.Position(), 0u);
    EXPECT_EQ(stream.flags, CBase::kReadable | CBase::kWritable);
    EXPECT_EQ(stream.Capacity(), 4096);
    stream.Clear(true);
    EXPECT_EQ(stream.Capacity(), 4);

    const char lender[] = "abc";
    stream.Borrow(lender, 3);
    stream.Clear();
    EXPECT_EQ(stream.Capacity(), 4);
    Write(stream, "xyz");
    EXPECT_STREQ(lender, "abc");
}

} // namespace
