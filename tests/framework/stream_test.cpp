#include "framework/buffer.h"
#include "framework/result.h"
#include "framework/stream.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace {

using NIO::CBase;
using Stream = NIO::TBuffer<0>;

void Fill(Stream& stream, std::string_view bytes) {
    ASSERT_EQ(stream.WriteBytes(bytes.data(), bytes.size()), NResult::kOk);
    ASSERT_EQ(stream.Seek(0, NIO::kSeekFromStart), NResult::kOk);
}

std::string Content(const Stream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size());
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

TEST(StreamTypedRead, PastTheEndGivesZeroAndAStickyFlag) {
    Stream stream;
    Fill(stream, "\x01\x02\x03\x04\x05");
    stream.Seek(2, NIO::kSeekFromStart);
    EXPECT_EQ(stream.ReadU32(), 0u);
    EXPECT_TRUE(stream.HasFlags(CBase::kReadPastEnd));
    EXPECT_EQ(stream.Position(), 2u);
    EXPECT_EQ(stream.ReadU16(), 0x0403u);
    EXPECT_TRUE(stream.HasFlags(CBase::kReadPastEnd));
}

TEST(StreamTypedWrite, ByteSwappedValuesAreBigEndian) {
    for (const bool swapped : {false, true}) {
        Stream stream;
        if (swapped)
            stream.SetFlags(CBase::kByteSwapped);
        stream.WriteU16(0x1234);
        stream.WriteU32(0x89ABCDEF);
        stream.WriteDouble(1.0); // 0x3FF0000000000000
        EXPECT_EQ(Content(stream),
                  swapped ? std::string_view("\x12\x34\x89\xAB\xCD\xEF\x3F\xF0\0\0\0\0\0\0", 14)
                          : std::string_view("\x34\x12\xEF\xCD\xAB\x89\0\0\0\0\0\0\xF0\x3F", 14));
    }
}

TEST(StreamTypedWrite, EveryTypeReadsBackInBothByteOrders) {
    for (const bool swapped : {false, true}) {
        Stream stream;
        if (swapped)
            stream.SetFlags(CBase::kByteSwapped);
        stream.WriteU8(0xA5);
        stream.WriteU16(0xBEEF);
        stream.WriteU32(0xDEADBEEF);
        stream.WriteU64(0x0123456789ABCDEFull);
        stream.WriteFloat(-1.5f);
        stream.WriteDouble(3.0e300);
        EXPECT_EQ(stream.Size(), 1u + 2 + 4 + 8 + 4 + 8);
        stream.Seek(0, NIO::kSeekFromStart);
        EXPECT_EQ(stream.ReadU8(), 0xA5u);
        EXPECT_EQ(stream.ReadU16(), 0xBEEFu);
        EXPECT_EQ(stream.ReadU32(), 0xDEADBEEFu);
        EXPECT_EQ(stream.ReadU64(), 0x0123456789ABCDEFull);
        EXPECT_EQ(stream.ReadFloat(), -1.5f);
        EXPECT_EQ(stream.ReadDouble(), 3.0e300);
        EXPECT_FALSE(stream.HasAnyFlag(CBase::kReadPastEnd | CBase::kWriteFailed));
    }
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

class StreamReadLine : public ::testing::Test {
protected:
    int ReadLine() { return m_stream.ReadLine(m_line, sizeof m_line - 1); }

    Stream m_stream;
    char m_line[64];
};

TEST_F(StreamReadLine, CrLfLfCrAndZeroByteEachEndALine) {
    Fill(m_stream, std::string_view("one\ntwo\rthree\0\n\r\nlast\r\nx", 24));
    for (const char* line : {"one", "two", "three", "", "", "last"}) {
        EXPECT_EQ(ReadLine(), NResult::kOk);
        EXPECT_STREQ(m_line, line);
    }
    EXPECT_EQ(m_stream.Position(), 23u) << "CR LF is one line end";
    EXPECT_EQ(ReadLine(), NResult::kOk);
    EXPECT_EQ(ReadLine(), NResult::kNoMoreData);
}

TEST_F(StreamReadLine, LongLineIsCutButConsumedWhole) {
    Fill(m_stream, "abcdefgh\nnext");
    char shortLine[4];
    EXPECT_EQ(m_stream.ReadLine(shortLine, 3), NResult::kOk);
    EXPECT_STREQ(shortLine, "abc");
    EXPECT_EQ(m_stream.Position(), 9u);
    EXPECT_EQ(ReadLine(), NResult::kOk);
    EXPECT_STREQ(m_line, "next");
}

TEST_F(StreamReadLine, NoLineEndWithinTheLookAheadLeavesThePosition) {
    const std::string noEnd(NIO::kLongestLine + 1, 'x');
    Fill(m_stream, noEnd + "\n");
    EXPECT_EQ(ReadLine(), NIO::kNoLineEnd);
    EXPECT_EQ(m_stream.Position(), 0u);
}

TEST_F(StreamReadLine, LastLineAsLongAsTheLookAheadNeedsNoEnd) {
    Fill(m_stream, std::string(NIO::kLongestLine, 'x'));
    EXPECT_EQ(ReadLine(), NResult::kOk);
    EXPECT_EQ(std::strlen(m_line), sizeof m_line - 1);
    EXPECT_EQ(m_stream.Position(), NIO::kLongestLine);
}

TEST_F(StreamReadLine, CrLfAcrossTheLookAheadBoundaryStaysOneLineEnd) {
    const std::string first(NIO::kLongestLine - 1, 'a');
    Fill(m_stream, first + "\r\nb");
    EXPECT_EQ(ReadLine(), NResult::kOk);
    EXPECT_EQ(m_stream.Position(), NIO::kLongestLine + 1);
    EXPECT_EQ(ReadLine(), NResult::kOk);
    EXPECT_STREQ(m_line, "b");
}

} // namespace
