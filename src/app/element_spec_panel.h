#pragma once

#include "app/preference_panel.h"

#include <array>
#include <functional>

class CElementSpec;
class CFileSpec;
class QComboBox;
class QListWidget;
class QRadioButton;
enum class EIdentification;

// The page of an element rule: the order of the element's children and how
// the element is told apart from its siblings. Every change edits the rule
// of the working copy at once and marks its specification for saving.
class CElementSpecPanel final : public CPreferencePanel {
public:
    explicit CElementSpecPanel(QWidget* parent);

    // Called after the rule's identifying rules changed, for the tree to
    // show its child-element rules.
    std::function<void()> onRulesChanged;

protected:
    void LoadItem(CSpecBase* item) override;

private:
    EIdentification ChosenKind() const;
    // Offers the names for the kind chosen and selects those the rule uses;
    // the list is empty and disabled for Nothing and Content.
    void FillList();
    void KindChosen();
    void OrderChosen(int index);
    void SelectionChanged();
    void MarkChanged();

    CElementSpec* m_rule = nullptr;
    CFileSpec* m_spec = nullptr;
    QComboBox* m_order;
    // By EIdentification: Nothing, Attributes, ChildElements, Content.
    std::array<QRadioButton*, 4> m_kinds;
    QListWidget* m_names;
};
