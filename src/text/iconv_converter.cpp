#include "text/iconv_converter.h"

#include <cerrno>
#include <iconv.h>

namespace NString {
namespace {

constexpr std::size_t kOutputStep = 256;

iconv_t Descriptor(void* descriptor) {
    return static_cast<iconv_t>(descriptor);
}

const iconv_t kNotOpen = reinterpret_cast<iconv_t>(-1);

// One iconv call into the free room at the end of `output`, growing it while
// the call reports that the room ran out. `input` null flushes the state.
// False when the call stopped for another reason.
bool ConvertInto(iconv_t descriptor, char** input, std::size_t* inputLeft, std::string& output) {
    while (true) {
        const std::size_t used = output.size();
        // Room for about as many bytes as are left: most conversions change
        // the length little, and a longer result takes another round.
        output.resize(used + kOutputStep + (inputLeft != nullptr ? *inputLeft : 0));
        char* out = output.data() + used;
        std::size_t outLeft = output.size() - used;
        const std::size_t result = iconv(descriptor, input, inputLeft, &out, &outLeft);
        const int error = errno;
        output.resize(output.size() - outLeft);
        if (result != static_cast<std::size_t>(-1))
            return true;
        if (error != E2BIG)
            return false;
    }
}

} // namespace

CIconvConverter::CIconvConverter(const char* to, const char* from)
    : m_descriptor(iconv_open(to, from)) {}

CIconvConverter::~CIconvConverter() {
    if (IsOpen())
        iconv_close(Descriptor(m_descriptor));
}

bool CIconvConverter::IsOpen() const {
    return Descriptor(m_descriptor) != kNotOpen;
}

std::size_t CIconvConverter::Convert(std::string_view input, std::string& output) {
    if (!IsOpen())
        return 0;
    const iconv_t descriptor = Descriptor(m_descriptor);
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    // iconv takes a non-const pointer but never writes through it.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    ConvertInto(descriptor, &in, &inLeft, output);
    ConvertInto(descriptor, nullptr, nullptr, output);
    return input.size() - inLeft;
}

} // namespace NString
