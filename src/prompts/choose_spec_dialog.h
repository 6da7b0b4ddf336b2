#pragma once

#include "framework/window/base_dialog.h"
#include "services/prompts.h"

class QListWidget;
class QPushButton;

// Asks which of several format specifications to use: the explanation, the
// candidates' names sorted ignoring case with the offered one selected, OK
// and Cancel. A double click on a name chooses it.
class CChooseSpecDialog final : public NWindows::CBaseDialog {
public:
    CChooseSpecDialog(QWidget* owner, const NPrompts::SSpecChoice& choice);

    // The index of the selected candidate, -1 when none is selected.
    int Selected() const;

    // Runs the dialog modally: the chosen candidate's index, -1 on Cancel.
    static int Run(QWidget* owner, const NPrompts::SSpecChoice& choice);

private:
    QListWidget* m_list;
    QPushButton* m_ok;
};
