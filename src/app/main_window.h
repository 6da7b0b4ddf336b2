#pragma once

#include "app/command_target.h"
#include "app/preferences_target.h"
#include "app/result_saving.h"
#include "app/update_panel.h"
#include "framework/str.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class COperation;

namespace NCommands {
class CCommandKeyFilter;
class CMainToolbar;
} // namespace NCommands
namespace NWindows {
class CSplitter;
}
class CDummyPane;
class CNavigationPane;
class CResultPane;
class CViewController;
class CXMLView;
struct SSearchOptions;
struct SUpdateOfferText;

// The frame window: menu bar, toolbar with the counts, and a splitter whose
// left pane is the overview and whose right pane is a placeholder until an
// operation is loaded, the result pane after. It carries out every command
// of the command table, keeps the title, asks before unsaved work is lost,
// and remembers where it was on the screen.
class CMainWnd final : public QMainWindow,
                       public NCommands::ICommandTarget,
                       public IPreferencesTarget {
public:
    using CPath = NString::TStr<char16_t>;

    // The window starts hidden, with nothing loaded. It works on `operation`
    // and the result and report paths for the whole run.
    CMainWnd(COperation& operation, CPath& resultPath, CPath& reportPath);
    ~CMainWnd() override;

    // Obtains the input files (through the Open dialog when `wantDialog`, or
    // when the left or right file is missing), loads them behind the progress
    // dialog and shows the result. A load that fails after the dialog brings
    // the dialog back. True when an operation is loaded and shown.
    bool StartOperation(bool wantDialog);

    // Shows the window for the first time where it was last, maximised when
    // it was.
    void ShowFirstTime();

    bool IsCommandEnabled(std::uint32_t command) const override;
    bool IsCommandChecked(std::uint32_t command) const override;
    void RunCommand(std::uint32_t command) override;

    // Shows the listed language file `fileName` (as NString::NTranslator::
    // LanguageFileName gives it; empty or null: the built-in English) at once
    // in the menus, keys, toolbar and title, and remembers it for the next
    // run. A file that cannot be shown is reported and the texts stay as they
    // were. True when the language is shown.
    bool ChooseLanguage(const char16_t* fileName) override;

    // Opens the Preferences on the item of `path` ("Formats#Orders#item"),
    // or on the one chosen last when it is empty.
    void OpenPreferences(const QString& path = {});
    // Shows the stored document font, toolbar and overview settings.
    void DisplayChanged() override;
    // Puts the edited specifications in place and saves them. When the one
    // in use changed, the open comparison is matched again with it, after
    // asking when that would throw away changes of the result.
    void ReplaceFormats(const CFormatList& edited) override;

    // What the update check lends the window: the Preferences' Updates page
    // validates the server address and checks with `preferences`; the update
    // offer's Change Log calls `showChangeLog`. None until set.
    void SetUpdateActions(SUpdatePanelActions preferences, std::function<void()> showChangeLog);
    // Offers a new version found by the automatic check, and runs `download`
    // or `postpone` (with the days until the next reminder) by the answer.
    // Only while the window is visible: a hidden window (a silent run, or
    // before the first load is shown) shows nothing and runs neither, so the
    // check is due again at the next start.
    void OfferUpdate(const SUpdateOfferText& offer, std::function<void()> download,
                     std::function<void(int days)> postpone);

    bool IsResultShown() const { return m_resultShown; }
    QString CountText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool IsMerge() const;
    bool CanGo(bool next, bool conflicts) const;
    void PutPane(int index, QWidget* widget);
    void ShowResult(bool shown);
    // The titles and paths of the files above the view.
    void ShowFiles();
    void ForgetChosenFiles(std::uint32_t rememberedOperation);

    // Every text the window keeps, again from the translator.
    void Retranslate();
    void Refresh();
    void RefreshTitle();
    void ToggleToolbar();
    void ToggleOverview();
    void ShowOverview(bool shown);
    void Resolve(int side);
    void ResultChanged();
    // Whether the result holds changes of the user's that are not saved.
    bool HasUnsavedEdits() const;
    // Matches the loaded files again behind the progress dialog.
    void Rematch();
    // The Preferences path of the rule for elements named `element`.
    QString RulePath(const QString& element) const;
    void ConnectView();
    void Search();
    void FindMatch(bool upward);
    SSearchOptions SearchOptions(bool upward) const;
    void Go(bool next, bool conflicts);
    void RememberPlacement();

    COperation& m_operation;
    CPath& m_resultPath;
    bool m_resultShown = false;
    // The result has been changed since it was built.
    bool m_resultEdited = false;
    CResultSaving m_saving;
    NWindows::CSplitter* m_splitter;
    NCommands::CMainToolbar* m_toolbar;
    CNavigationPane* m_overview;
    CDummyPane* m_placeholder;
    CResultPane* m_resultPane;
    CXMLView* m_view;
    CViewController* m_viewController;
    std::unique_ptr<NCommands::CCommandKeyFilter> m_keyFilter;
    SUpdatePanelActions m_updatePanelActions;
    std::function<void()> m_showChangeLog;
};
