#include "view/word_characters.h"

#include "text/char_classes.h"

namespace {

// Name characters of XML that are punctuation rather than letters: they join
// the parts of a name, but in text they separate words ("id-ident").
bool IsNamePunctuation(char16_t unit) {
    switch (unit) {
    case u':':
    case u'_':
    case u'-':
    case u'.':
    case u'\u203F':
    case u'\u2040':
        return true;
    default:
        return false;
    }
}

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

} // namespace

bool IsWordCharacter(char16_t unit) {
    if (IsSurrogate(unit))
        return true;
    return NString::IsNameChar(unit) && !IsNamePunctuation(unit);
}

bool IsSpaceCharacter(char16_t unit) {
    return unit == u'\t' || unit == u'\n' || unit == u'\r' || unit == u' ';
}
