#pragma once

#include "framework/window/base_dialog.h"
#include "services/prompts.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the name and the file-name wildcards of a new format
// specification, offering NPrompts::OfferedSpec. OK is enabled only while the
// name is not empty; it tells the user how to edit the new specification
// before the dialog closes.
class CCreateSpecDialog final : public NWindows::CBaseDialog {
public:
    CCreateSpecDialog(QWidget* owner, const NPrompts::SSpecRequest& request);

    // The name and the wildcards as entered (UTF-8).
    NPrompts::SNewSpec Entered() const;

    void accept() override;

    // Runs the dialog modally: true with `created` filled on OK.
    static bool Run(QWidget* owner, const NPrompts::SSpecRequest& request,
                    NPrompts::SNewSpec& created);

private:
    QLineEdit* m_name;
    QLineEdit* m_wildcards;
    QLabel* m_nameLabel;
    QLabel* m_wildcardsLabel;
    QPushButton* m_ok;
};
