#pragma once

#include "framework/window/base_dialog.h"

#include <QString>

class QCheckBox;
class QComboBox;
class CSearchState;

namespace NSettings {
class CFlags;
} // namespace NSettings

// The Search dialog: the text to look for, chosen from the earlier ones or
// typed, and whether case and whole words matter. It shows what the flags
// and the search state say and changes nothing itself; OK closes it only
// with a text to search for.
class CSearchDialog final : public NWindows::CBaseDialog {
public:
    CSearchDialog(const NSettings::CFlags& flags, const CSearchState& state,
                  QWidget* parent = nullptr);

    // What was chosen; meaningful after OK.
    QString Text() const;
    bool MatchCase() const;
    bool WholeWords() const;

    // Refuses an empty text with a message and keeps the dialog open.
    void accept() override;

private:
    QComboBox* m_text;
    QCheckBox* m_matchCase;
    QCheckBox* m_wholeWords;
};

// Shows the Search dialog over `owner`. On OK the match-case and whole-word
// bits of `flags` are set as chosen (and saved), and the text becomes the
// search text and the newest entry of the history of CurrentSearchState().
// On Cancel nothing has changed.
bool RunSearchDialog(QWidget* owner, NSettings::CFlags& flags);
