#include "formats/spec_file_name.h"

#include "framework/string_functions.h"

namespace {

constexpr char16_t kFileNameCharacters[] = u" ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                           u"0123456789_-+=.\u00A0";

} // namespace

NString::TStr<char16_t> SpecFileName(const char* specName) {
    NString::TStr<char16_t> fileName(specName);
    NString::RemoveChars(fileName.Text(), kFileNameCharacters, NString::CharSelection::NotInSet);
    NString::Trim(fileName.Text(), u"\t \r\n");
    fileName.Append(kSpecFileExtension);
    return fileName;
}
