#include "text/system_charset.h"

#include "text/charset_names.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <sstream>
#include <string_view>
#include <vector>

namespace NString {
namespace {

constexpr const char* kUtf8Name = "UTF-8";
constexpr unsigned char kFirstNonAscii = 0x80;

// The characters XML markup is made of, which the parser looks for as they
// are: whitespace, names, references, quotes, declarations and instructions.
bool IsMarkupCharacter(char c) {
    static constexpr std::string_view kMarkup = "\t\n\r <>&;#'\"=?!/-:._[]%";
    return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
           kMarkup.find(c) != std::string_view::npos;
}

// XML's rule for an encoding name: a letter, then letters, digits, ".", "_"
// and "-". The C library drops other characters from a name it is given, so
// it would take "utf-\xFE8" for UTF-8.
bool IsEncodingName(std::string_view name) {
    const auto isNameCharacter = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '_' || c == '-';
    };
    return !name.empty() && std::isalpha(static_cast<unsigned char>(name.front())) != 0 &&
           std::all_of(name.begin(), name.end(), isNameCharacter);
}

// Names numbered by SystemOnlyCharsetFromName, lower-cased, in the order of
// their numbers; shared by every thread of a run.
class CSystemOnlyNames {
public:
    int NumberOf(const std::string& lowered) {
        const std::lock_guard lock(m_mutex);
        const auto found = std::find(m_names.begin(), m_names.end(), lowered);
        if (found != m_names.end())
            return kFirstSystemOnlyCharset + static_cast<int>(found - m_names.begin());
        m_names.push_back(lowered);
        return kFirstSystemOnlyCharset + static_cast<int>(m_names.size() - 1);
    }

    std::string NameOf(int number) {
        const std::lock_guard lock(m_mutex);
        const auto index = static_cast<std::size_t>(number - kFirstSystemOnlyCharset);
        return index < m_names.size() ? m_names[index] : std::string();
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_names;
};

CSystemOnlyNames& SystemOnlyNames() {
    static CSystemOnlyNames names;
    return names;
}

// The names to try for a set: the registry's, or the one it was numbered by.
std::string NamesOf(int mibEnum) {
    if (mibEnum >= kFirstSystemOnlyCharset)
        return SystemOnlyNames().NameOf(mibEnum);
    for (const SCharsetName* row = kCharsetNameTable; row->mibEnum != 0; ++row)
        if (row->mibEnum == mibEnum)
            return row->aliases;
    return {};
}

} // namespace

int SystemOnlyCharsetFromName(std::string_view name) {
    std::string lowered(name);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!IsEncodingName(lowered) || !CSystemCharset(0).Open(lowered))
        return 0;
    return SystemOnlyNames().NumberOf(lowered);
}

CSystemCharset::CSystemCharset(int mibEnum) {
    std::istringstream names(NamesOf(mibEnum));
    for (std::string name; names >> name;)
        if (Open(name))
            return;
}

bool CSystemCharset::Open(const std::string& name) {
    auto decoder = std::make_unique<CIconvConverter>(kUtf8Name, name.c_str());
    auto encoder = std::make_unique<CIconvConverter>(name.c_str(), kUtf8Name);
    if (!decoder->IsOpen() || !encoder->IsOpen())
        return false;
    m_decoder = std::move(decoder);
    m_encoder = std::move(encoder);
    for (char c = 1; static_cast<unsigned char>(c) < kFirstNonAscii; ++c)
        m_keptAscii[static_cast<std::size_t>(c)] = RoundTrips(c);
    for (char c = 1; static_cast<unsigned char>(c) < kFirstNonAscii; ++c) {
        if (IsMarkupCharacter(c) && !KeepsAscii(c)) {
            m_decoder.reset();
            m_encoder.reset();
            return false;
        }
    }
    m_name = name;
    return true;
}

// Whether `c` is written as its own byte and that byte reads back as `c`.
bool CSystemCharset::RoundTrips(char c) {
    const std::string_view character(&c, 1);
    std::string encoded;
    std::string decoded;
    return m_encoder->Convert(character, encoded) == 1 && encoded == character &&
           m_decoder->Convert(character, decoded) == 1 && decoded == character;
}

bool CSystemCharset::KeepsAscii(char c) const {
    const auto byte = static_cast<unsigned char>(c);
    return byte < kFirstNonAscii && m_keptAscii[byte];
}

bool CSystemCharset::Decode(std::string_view bytes, std::string& text) {
    return Exists() && m_decoder->Convert(bytes, text) == bytes.size();
}

bool CSystemCharset::EncodeRun(std::string_view run, std::string& bytes) {
    if (!Exists())
        return false;
    std::string encoded;
    if (m_encoder->Convert(run, encoded) != run.size())
        return false;
    std::string decoded;
    if (m_decoder->Convert(encoded, decoded) != encoded.size() || decoded != run)
        return false;
    bytes += encoded;
    return true;
}

bool CSystemCharset::Encode(std::string_view text, std::string& bytes) {
    const auto keeps = [this](char c) { return KeepsAscii(c); };
    for (auto position = text.begin(); position != text.end();) {
        const auto runStart = std::find_if_not(position, text.end(), keeps);
        bytes.append(position, runStart);
        position = std::find_if(runStart, text.end(), keeps);
        if (runStart != position && !EncodeRun({runStart, position}, bytes))
            return false;
    }
    return true;
}

} // namespace NString
