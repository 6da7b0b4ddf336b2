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
