#pragma once

#include "services/settings_backend.h"

// Keeps the settings of the current user with QSettings, organisation
// "Velden" and application "Quillmere" (on Linux the file
// $XDG_CONFIG_HOME/Velden/Quillmere.conf). Only the root subkey
// "Software\Velden\Quillmere" and those below it can be opened; the part of a
// subkey below the root is the QSettings group, with "\" turned into "/".
// Value names must be non-empty and free of "/", which QSettings would take
// for a group separator.
//
// The file keeps only text and byte arrays, so words and strings are told
// apart by their text: a word is written as its decimal digits, and a string
// that would read as a word or that begins with an apostrophe is written with
// an apostrophe in front (as spreadsheets mark a number meant as text).
// Anything else read from the file (lists, other types) counts as unreadable.
//
// Each call works on its own QSettings object and writes through at once, so
// any thread may call, and other processes see every change.
class CQtSettingsBackend final : public NSettings::CBackend {
public:
    int Read(const NSettings::SValuePath& path, NSettings::CStoredValue& value) override;
    int Write(const NSettings::SValuePath& path, const NSettings::CStoredValue& value) override;
    int DeleteKey(std::u16string_view subkey) override;
};
