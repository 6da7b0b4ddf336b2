#pragma once

#include "app/update_panel.h"
#include "formats/format_list.h"
#include "framework/window/base_dialog.h"

class CDisplayPanel;
class CElementSpecPanel;
class CFileSpecPanel;
class CPreferencePanel;
class CSpecBase;
class IPreferencesTarget;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
namespace NSettings {
class CFlags;
}

// The Preferences dialog: a tree of the categories (Display, Updates,
// Formats, and under Formats every specification of a working copy of the
// library with its element rules) and the page of the chosen item. The
// specifications are edited on the copy; OK and Apply put it in place of the
// library and save it, Cancel drops it. `updates` serves the Updates page.
class CPreferencesDialog final : public NWindows::CBaseDialog {
public:
    CPreferencesDialog(const CFormatList& library, NSettings::CFlags& flags,
                       IPreferencesTarget& target, QWidget* parent,
                       const SUpdatePanelActions& updates = {});
    ~CPreferencesDialog() override;

    // Asks every page to apply, and when all accept puts the working copy in
    // place; the dialog stays. False when a page refused.
    bool ApplyPages();
    // OK: ApplyPages, and the dialog ends when no page refused.
    void accept() override;

    // The path of the item chosen in the tree ("Display", "Formats#Orders#item").
    static QString& SelectionPath();

private:
    void FillTree();
    void AddRuleItems(QTreeWidgetItem& parent, CSpecBase& rule);
    void SelectionChanged();
    void ShowPanel(CPreferencePanel* panel, CSpecBase* item);
    void Retranslate();
    // The rules under the current item changed: its child items follow.
    void RulesChanged();
    void Apply();

    const CFormatList& m_library;
    IPreferencesTarget& m_target;
    CFormatList m_workingCopy;
    QTreeWidget* m_tree;
    QStackedWidget* m_pages;
    CPreferencePanel* m_blankPanel;
    CDisplayPanel* m_displayPanel;
    CUpdatePanel* m_updatePanel;
    CFileSpecPanel* m_fileSpecPanel;
    CElementSpecPanel* m_elementPanel;
};

// Runs the Preferences dialog over `owner`, showing the item of `path` when
// it is not empty (else the one chosen last).
void OpenPreferences(QWidget* owner, const CFormatList& library, NSettings::CFlags& flags,
                     IPreferencesTarget& target, const QString& path = {},
                     const SUpdatePanelActions& updates = {});
