#include "prompts/translated_text.h"

#include "translation/translator.h"

QString TranslatedText(const char* key) {
    return QString::fromUtf16(NString::NTranslator::Text(key).Text());
}
