#pragma once

#include "framework/window/base_dialog.h"

#include <QWidget>
#include <span>

class CSpecBase;

// One page of the Preferences dialog, shown beside the tree for the item
// chosen there.
class CPreferencePanel : public QWidget {
public:
    CPreferencePanel(std::span<const NWindows::SControlText> texts, QWidget* parent);

    void ApplyTexts() { NWindows::ApplyControlTexts(*this, m_texts); }

    // Fills the controls for `item`: the rule to edit, null for a category
    // (and to forget a rule that is about to go).
    void Load(CSpecBase* item);
    // Takes the values shown. False, after telling the user why, to refuse.
    // A panel that has shown nothing accepts: it has nothing to take.
    bool Apply();

protected:
    virtual void LoadItem(CSpecBase* /*item*/) {}
    virtual bool ApplyShown() { return true; }
    // Tells the user why the panel refuses, as an error owned by the panel.
    void Refuse(const char16_t* text);

private:
    std::span<const NWindows::SControlText> m_texts;
    bool m_loaded = false;
};

// A panel that only shows a text: the blank panel of the Formats category.
class CMessagePanel final : public CPreferencePanel {
public:
    CMessagePanel(std::span<const NWindows::SControlText> texts, int labelControl, QWidget* parent);
};
