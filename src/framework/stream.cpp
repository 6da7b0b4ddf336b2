#include "framework/stream.h"

#include "framework/result.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace NIO {

std::uint64_t CBase::Remaining() const {
    const std::uint64_t size = Size();
    const std::uint64_t position = Position();
    return position < size ? size - position : 0;
}

int CBase::WriteText(const char* text) {
    if (!text || !*text)
        return NResult::kNothingToWrite;
    return WriteBytes(text, std::strlen(text));
}

} // namespace NIO
