#pragma once

#include <QDialog>
#include <QString>
#include <span>

class QKeyEvent;

namespace NWindows {

// One line of a dialog's text table: the control's identifier (kDialogTitle
// for the window title) and the translator's key of its text.
struct SControlText {
    int control;
    const char* key;
};

inline constexpr int kDialogTitle = -1;

// The text of a translator key in the language shown.
QString TranslatedText(const char* key);

// The object name of the control with identifier `control`: "ctl" and the
// number ("ctl1050"). Dialogs name their controls so, and the text table
// finds them by it.
QString ControlName(int control);

// Sets the translated text of each line of `texts` on the control of `root`
// so named (as its "text" property, or "title" for a group box), or as the
// window title of `root`. A line whose control `root` lacks changes nothing.
void ApplyControlTexts(QWidget& root, std::span<const SControlText> texts);

// The base of the application's dialogs: it fills the controls' texts from a
// text table and opens the dialog's help page on F1.
class CBaseDialog : public QDialog {
public:
    // `texts` must outlive the dialog; `helpPage` is a page for OpenHelpPage,
    // empty for a dialog without help.
    CBaseDialog(std::span<const SControlText> texts, QString helpPage, QWidget* parent = nullptr);

    // Opens the dialog's help page; nothing without one.
    void ShowHelp() const;

protected:
    // ApplyControlTexts with the dialog's table. A dialog calls it once its
    // controls exist, and again when the language changes.
    void ApplyTexts() { ApplyControlTexts(*this, m_texts); }

    void keyPressEvent(QKeyEvent* event) override;

private:
    std::span<const SControlText> m_texts;
    QString m_helpPage;
};

} // namespace NWindows
