#pragma once

#include "app/preference_panel.h"

#include <functional>

class IPreferencesTarget;
class QCheckBox;
class QComboBox;
class QSpinBox;
namespace NSettings {
class CFlags;
}

// The Display page: the language (applied as soon as it is chosen), the
// document font and whether the overview pane and the toolbar are shown.
class CDisplayPanel final : public CPreferencePanel {
public:
    CDisplayPanel(NSettings::CFlags& flags, IPreferencesTarget& target, QWidget* parent);

    // Called after another language is shown, for the dialog to follow.
    std::function<void()> onLanguageChanged;

protected:
    void LoadItem(CSpecBase* item) override;
    // Refuses a size outside 1 to 100; otherwise stores the font and the two
    // panes' settings and has the window show them.
    bool ApplyShown() override;

private:
    void LoadLanguages();
    void LoadFonts();
    void ChooseLanguage(int index);

    NSettings::CFlags& m_flags;
    IPreferencesTarget& m_target;
    QComboBox* m_language;
    QComboBox* m_font;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QSpinBox* m_size;
    QCheckBox* m_overview;
    QCheckBox* m_toolbar;
    int m_languageShown = -1;
};
