#pragma once

#include <QString>

// The text of a translator key in the language shown.
QString TranslatedText(const char* key);
