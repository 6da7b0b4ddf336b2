#pragma once

#include "app/preference_panel.h"

#include <functional>

class CFileSpec;
class CFormatList;
class QLineEdit;

// The page of a format specification: its name, its file-name wildcards and
// (read only) its root element. Edits change the working copy at once and
// mark the specification for saving; a name the library cannot take is kept
// in the field only, and refused when the dialog applies.
class CFileSpecPanel final : public CPreferencePanel {
public:
    CFileSpecPanel(const CFormatList& workingCopy, QWidget* parent);

    // Called with the new name after each rename.
    std::function<void(const QString&)> onRenamed;

protected:
    void LoadItem(CSpecBase* item) override;
    bool ApplyShown() override;

private:
    void NameEdited(const QString& text);
    void PatternsEdited(const QString& text);

    const CFormatList& m_workingCopy;
    CFileSpec* m_spec = nullptr;
    QLineEdit* m_name;
    QLineEdit* m_patterns;
    QLineEdit* m_root;
};
