#include "framework/buffer.h"
#include "framework/result.h"
#include "framework/stream.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace {

using NIO::CBase;
using Stream = NIO::TBuffer<0>;

std::string Content(const Stream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size());
}

void Write(Stream& stream, std::string_view bytes) {
    ASSERT_EQ(stream.WriteBytes(bytes.data(), bytes.size()), NResult::kOk);
}

// Writes the bytes and goes back to the start.
void Fill(Stream& stream, std::string_view bytes) {
    Write(stream, bytes);
    ASSERT_EQ(stream.Seek(0, NIO::kSeekFromStart), NResult::kOk);
}

TEST(Buffer, GrowingFromTheInlineAreaKeepsEveryByte) {
    Stream stream;
    std::string expected;
    for (const std::string& piece : {std::string("abcd"), std::string("e"), std::string(4092, 'f'),
                                     std::string(300000, 'x')}) {
        Write(stream, piece);
        expected += piece;
    }
    EXPECT_EQ(Content(stream), expected);
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

TEST(Buffer, SetSizeZeroFillsAndRefusesMoreThanThirtyTwoBits) {
    Stream stream;
    Write(stream, "abc");
    stream.Seek(1, NIO::kSeekFromStart);
    EXPECT_EQ(stream.SetSize(6), NResult::kOk);
    EXPECT_EQ(Content(stream), std::string_view("abc\0\0\0", 6));
    EXPECT_EQ(stream.Position(), 1u);

    stream.Seek(0, NIO::kSeekFromEnd);
    EXPECT_EQ(stream.SetSize(2), NResult::kOk);
    Write(stream, "x");
    EXPECT_EQ(Content(stream), std::string_view("ab\0\0\0\0x", 7));

    EXPECT_EQ(stream.SetSize(std::uint64_t{1} << 31), NResult::kCannotGrow);
    EXPECT_EQ(Content(stream), std::string_view("ab\0\0\0\0x", 7));
}

// Documents in memory are parsed from borrowed bytes that must never change.
TEST(Buffer, BorrowedMemoryIsReadOnlyAndNeverWritten) {
    char lender[] = "borrowed";
    Stream stream;
    stream.Borrow(lender, 8);
    EXPECT_EQ(stream.WriteBytes("x", 1), NResult::kNotWritable);
    EXPECT_EQ(Content(stream), "borrowed");

    // Even when made writable, the stream writes into a copy of its own.
    stream.SetFlags(CBase::kWritable);
    Write(stream, "BOR");
    EXPECT_EQ(Content(stream), "BOR");

    stream.Borrow(lender, 5);
    EXPECT_EQ(stream.SetSize(7), NResult::kOk);
    EXPECT_EQ(Content(stream), std::string_view("borro\0\0", 7));
    stream.Clear();
    Write(stream, "xyz");
    EXPECT_STREQ(lender, "borrowed");
}

TEST(Buffer, ClearResetsSizeAndFlags) {
    for (const bool release : {false, true}) {
        Stream stream;
        Write(stream, std::string(100, 'z'));
        stream.ClearFlags(CBase::kWritable);
        stream.Clear(release);
        EXPECT_EQ(stream.Size(), 0u);
        EXPECT_EQ(stream.Position(), 0u);
        EXPECT_EQ(stream.flags, CBase::kReadable | CBase::kWritable);
        Write(stream, "q");
        EXPECT_EQ(Content(stream), "q");
    }
}

TEST(StreamSeek, MovesRelativeToEachOriginStayingWithinTheStream) {
    Stream stream;
    Fill(stream, "0123456789");
    unsigned char four[4];
    EXPECT_EQ(stream.Read(four, 4), 4u);
    struct SCase {
        std::int64_t offset;
        int origin;
        std::uint64_t position;
    };
    for (const SCase& c :
         {SCase{-1, NIO::kSeekFromCurrent, 3}, SCase{-2, NIO::kSeekFromEnd, 8},
          SCase{25, NIO::kSeekFromStart, 10}, SCase{INT64_MAX, NIO::kSeekFromCurrent, 10},
          SCase{-11, NIO::kSeekFromEnd, 0}, SCase{INT64_MIN, NIO::kSeekFromEnd, 0}}) {
        EXPECT_EQ(stream.Seek(c.offset, c.origin), NResult::kOk) << c.offset;
        EXPECT_EQ(stream.Position(), c.position) << c.offset << " from " << c.origin;
    }
    EXPECT_EQ(stream.Seek(0, 3), NResult::kInvalidArgument);
}

TEST(StreamWrite, EndsTheStreamWhereTheWriteStops) {
    Stream stream;
    Fill(stream, "0123456789");
    EXPECT_EQ(stream.WriteBytes("abc", 3), NResult::kOk);
    EXPECT_EQ(stream.Size(), 3u);
    EXPECT_EQ(Content(stream), "abc");
}

TEST(StreamText, WriteTextWritesNoTerminatorAndRemainingStopsAtTheEnd) {
    Stream stream;
    EXPECT_EQ(stream.WriteText(nullptr), NResult::kNothingToWrite);
    EXPECT_EQ(stream.WriteText(""), NResult::kNothingToWrite);
    EXPECT_EQ(stream.WriteText("ab"), NResult::kOk);
    EXPECT_EQ(stream.WriteText("cdef"), NResult::kOk);
    EXPECT_EQ(Content(stream), "abcdef");
    stream.Seek(4, NIO::kSeekFromStart);
    EXPECT_EQ(stream.Remaining(), 2u);
    stream.SetSize(2);
    EXPECT_EQ(stream.Remaining(), 0u);
}

} // namespace
