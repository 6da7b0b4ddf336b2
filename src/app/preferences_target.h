#pragma once

class CFormatList;

// What the Preferences dialog changes beyond itself: the window's look, the
// language shown and the library of format specifications.
class IPreferencesTarget {
public:
    // The stored document font and the toolbar and overview settings have
    // changed: show them.
    virtual void DisplayChanged() = 0;
    // Shows the listed language file `fileName` (empty: the built-in English)
    // at once and remembers it; false, after telling the user why, when it
    // cannot be shown.
    virtual bool ChooseLanguage(const char16_t* fileName) = 0;
    // Puts copies of the specifications of `edited` in place of the
    // library's, saves those that changed and, when the one in use changed,
    // matches the open comparison again.
    virtual void ReplaceFormats(const CFormatList& edited) = 0;

protected:
    ~IPreferencesTarget() = default;
};
