#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/command_key_filter.h"
#include "app/command_table.h"
#include "app/format_saving.h"
#include "app/language_failure.h"
#include "app/load_failure.h"
#include "app/main_menu_bar.h"
#include "app/main_toolbar.h"
#include "app/open_dialog.h"
#include "app/preferences_dialog.h"
#include "app/progress_dialog.h"
#include "app/translated_menus.h"
#include "app/update_dialog.h"
#include "app/window_placement.h"
#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "framework/result.h"
#include "framework/window/help_page.h"
#include "framework/window/splitter.h"
#include "icons/icon_set.h"
#include "merge/count_text.h"
#include "merge/load_job.h"
#include "merge/operation.h"
#include "merge/view_notifications.h"
#include "merge/window_title.h"
#include "merge/xml_clipboard.h"
#include "services/display_settings.h"
#include "services/flags.h"
#include "services/language_choice.h"
#include "services/prompts.h"
#include "services/recent_files.h"
#include "translation/translator.h"
#include "view/dummy_pane.h"
#include "view/navigation_pane.h"
#include "view/result_pane.h"
#include "view/search_dialog.h"
#include "view/search_state.h"
#include "view/text_search.h"
#include "view/title_strip.h"
#include "view/view_controller.h"
#include "view/xml_view.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

using namespace NCommands;
using NSettings::CFlags;

namespace {

constexpr int kOverviewPane = 0;
constexpr int kMainPane = 1;
constexpr int kOverviewWidth = 30;

constexpr std::uint32_t kOperationBits = NSettings::kFlagMerge | NSettings::kFlagThreeWay;

bool IsScrollCommand(std::uint32_t command) {
    return command >= kScrollLineUp && command <= kScrollBottom;
}

QString ToQString(const NString::TStr<char16_t>& text) {
    return QString::fromUtf16(text.Text());
}

} // namespace

CMainWnd::CMainWnd(COperation& operation, CPath& resultPath, CPath& reportPath)
    : m_operation(operation), m_resultPath(resultPath),
      m_saving(*this, operation, resultPath, reportPath, m_resultShown),
      m_splitter(
          new NWindows::CSplitter(Qt::Horizontal, 2, NWindows::CSplitter::EBars::None, this)),
      m_toolbar(new CMainToolbar(*this, this)), m_overview(new CNavigationPane(this)),
      m_placeholder(new CDummyPane(this)), m_resultPane(new CResultPane(this)),
      m_view(new CXMLView), m_viewController(new CViewController(*m_view)) {
    setObjectName(QStringLiteral("QuillmereMainWndClass"));
    setMinimumSize(NWindowPlacement::kMinimumSize);
    STranslatedMenus menus = TranslateMenus();
    BuildMenuBar(*menuBar(), menus.menuBar, *this);
    m_keyFilter = std::make_unique<CCommandKeyFilter>(*this, *this, std::move(menus.keyTable));
    m_keyFilter->SetView(m_view);
    m_resultPane->SetView(m_view);
    m_overview->SetViewport(m_view);
    ConnectView();
    addToolBar(m_toolbar);
    m_toolbar->setVisible(m_operation.flags.Has(NSettings::kFlagToolbar));
    m_splitter->SetPaneLimits(kOverviewPane, kOverviewWidth, kOverviewWidth);
    m_splitter->SetKeepsSize(kOverviewPane, true);
    setCentralWidget(m_splitter);
    m_overview->hide();
    m_resultPane->hide();
    PutPane(kMainPane, m_placeholder);
    Refresh();
}

CMainWnd::~CMainWnd() = default;

void CMainWnd::PutPane(int index, QWidget* widget) {
    if (QWidget* previous = m_splitter->SetPane(index, widget)) {
        previous->setParent(this);
        previous->hide();
    }
}

bool CMainWnd::IsMerge() const {
    return m_operation.flags.Has(NSettings::kFlagMerge);
}

QString CMainWnd::CountText() const {
    return IsResultShown() ? ToQString(::CountText(m_operation.model)) : QString();
}

void CMainWnd::ShowFirstTime() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    NSettings::SWindowPos stored{};
    std::optional<NSettings::SWindowPos> storedPlacement;
    if (NSettings::ReadWindowPos(stored))
        storedPlacement = stored;
    const std::optional<QRect> restored =
        NWindowPlacement::RestoredPlacement(storedPlacement, screens);
    setGeometry(restored ? *restored
                         : NWindowPlacement::DefaultPlacement(primary != nullptr
                                                                  ? primary->availableGeometry()
                                                                  : QRect(0, 0, 1024, 768)));
    if (m_operation.flags.Has(NSettings::kFlagMaximised))
        showMaximized();
    else
        show();
    raise();
    activateWindow();
}

// ---- Loading -------------------------------------------------------------

bool CMainWnd::StartOperation(bool wantDialog) {
    CFlags& flags = m_operation.flags;
    const std::uint32_t rememberedOperation = flags.Value() & kOperationBits;
    auto& files = m_operation.files;
    if (files[kSideLeft].path.IsEmpty() || files[kSideRight].path.IsEmpty())
        wantDialog = true;
    QWidget* const owner = isVisible() ? this : nullptr;
    for (;;) {
        // Cancelling leaves everything as it was, the unsaved changes too.
        if (wantDialog && !RunOpenDialog(owner, ProgramIcon(), flags, *m_operation.recentFiles,
                                         m_operation.files)) {
            Refresh();
            return false;
        }
        if (!m_saving.MayDiscardChanges()) {
            ForgetChosenFiles(rememberedOperation);
            return false;
        }
        // Files chosen anew are saved somewhere new; until the question
        // above, the old result path still served the old changes.
        if (wantDialog)
            m_resultPath.Clear();
        ShowResult(false);
        const NPtr::THolder<CLoadJob> job = RunProgressDialog(m_operation, owner);
        if (job && !flags.Has(NSettings::kFlagLoadFailed)) {
            ShowResult(true);
            m_viewController->Go(true, false);
            Refresh();
            return true;
        }
        if (job)
            ReportUnopenedFile(*job, m_operation, owner);
        // Whatever was unsaved went with the model the load threw away.
        flags.Clear(NSettings::kFlagResultUnsaved);
        if (!wantDialog) {
            ForgetChosenFiles(rememberedOperation);
            return false;
        }
    }
}

void CMainWnd::ForgetChosenFiles(std::uint32_t rememberedOperation) {
    for (CXMLFile& file : m_operation.files)
        file.ClearPendingPath();
    m_operation.flags.Assign(kOperationBits, rememberedOperation);
    Refresh();
}

// Nothing reads the model while it is rebuilt: the placeholder stands in for
// the result pane from the start of a load until it has succeeded.
void CMainWnd::ShowResult(bool shown) {
    m_resultShown = shown;
    m_resultEdited = false;
    const CFlags& flags = m_operation.flags;
    const bool merge = flags.Has(NSettings::kFlagMerge);
    const bool threeWay = flags.Has(NSettings::kFlagThreeWay);
    CMergeModel* model = shown ? &m_operation.model : nullptr;
    m_overview->SetModel(model, merge, threeWay);
    m_view->SetModel(model);
    m_viewController->SetModel(model);
    if (shown) {
        m_view->ResetAfterLoad();
        ShowFiles();
    }
    PutPane(kMainPane, shown ? static_cast<QWidget*>(m_resultPane) : m_placeholder);
    ShowOverview(shown && flags.Has(NSettings::kFlagOverviewPane));
    Refresh();
}

// ---- Commands ------------------------------------------------------------

bool CMainWnd::CanGo(bool next, bool conflicts) const {
    if (!IsResultShown() || (conflicts && !IsMerge()))
        return false;
    return next ? m_operation.model.CanGoNext(conflicts)
                : m_operation.model.CanGoPrevious(conflicts);
}

bool CMainWnd::IsCommandEnabled(std::uint32_t command) const {
    const bool loaded = IsResultShown();
    const bool resolvable = loaded && IsMerge() && m_operation.model.CurrentDifference() != nullptr;
    switch (command) {
    case kFileReload:
    case kFileGenReport:
        return loaded;
    case kFileSave:
    case kFileSaveAs:
        return loaded && m_operation.flags.Has(NSettings::kFlagResultUnsaved);
    case kEditResolveLeft:
    case kEditResolveRight:
        return resolvable;
    case kEditResolveBase:
        return resolvable && m_operation.flags.Has(NSettings::kFlagThreeWay);
    case kEditCopy:
    case kEditCopyXML:
        return loaded && m_view->hasFocus();
    case kEditCutText:
    case kEditCutXML:
    case kEditDeleteText:
    case kEditDeleteXML:
        return loaded && IsMerge() && m_view->hasFocus();
    case kEditPasteText:
        return loaded && IsMerge() && CViewController::HasClipboardText() && m_view->hasFocus();
    case kEditPasteXML:
        return loaded && IsMerge() && !TheXMLClipboard().IsEmpty() && m_view->hasFocus();
    case kEditUndo:
        return loaded && m_viewController->History().CanUndo();
    case kEditRedo:
        return loaded && m_viewController->History().CanRedo();
    case kEditSelectAll:
    case kViewSearch:
        return loaded;
    case kViewPrevMatch:
    case kViewNextMatch:
        return loaded && !CurrentSearchState().Text().empty();
    case kViewPrevDiff:
        return CanGo(false, false);
    case kViewNextDiff:
        return CanGo(true, false);
    case kViewPrevConflict:
        return CanGo(false, true);
    case kViewNextConflict:
        return CanGo(true, true);
    case kHelpWebsite:
        return !NWindows::HomePageUrl().isEmpty();
    default:
        return !IsScrollCommand(command) || loaded;
    }
}

bool CMainWnd::IsCommandChecked(std::uint32_t command) const {
    switch (command) {
    case kViewToolbar:
        return m_operation.flags.Has(NSettings::kFlagToolbar);
    case kViewOverview:
        return m_operation.flags.Has(NSettings::kFlagOverviewPane);
    default:
        return false;
    }
}

void CMainWnd::RunCommand(std::uint32_t command) {
    switch (command) {
    case kFileOpen:
        StartOperation(true);
        break;
    case kFileReload:
        StartOperation(false);
        break;
    case kFileSave:
        m_saving.Save();
        break;
    case kFileSaveAs:
        m_saving.SaveAs();
        break;
    case kFileGenReport:
        m_saving.SaveReport();
        break;
    case kFileExit:
        close();
        return;
    case kEditResolveLeft:
        Resolve(kSideLeft);
        break;
    case kEditResolveBase:
        Resolve(kSideBase);
        break;
    case kEditResolveRight:
        Resolve(kSideRight);
        break;
    case kViewToolbar:
        ToggleToolbar();
        break;
    case kViewOverview:
        ToggleOverview();
        break;
    case kViewPrevDiff:
    case kViewNextDiff:
    case kViewPrevConflict:
    case kViewNextConflict:
        Go(command == kViewNextDiff || command == kViewNextConflict,
           command == kViewPrevConflict || command == kViewNextConflict);
        break;
    case kEditCopy:
    case kEditCopyXML:
        m_viewController->Copy(command == kEditCopyXML);
        break;
    case kEditCutText:
        m_viewController->CutText();
        break;
    case kEditPasteText:
        m_viewController->PasteText();
        break;
    case kEditDeleteText:
        m_viewController->DeleteForward();
        break;
    case kEditCutXML:
        m_viewController->CutAsXml();
        break;
    case kEditDeleteXML:
        m_viewController->DeleteAsXml();
        break;
    case kEditPasteXML:
        m_viewController->PasteXml();
        break;
    case kEditUndo:
        m_viewController->Undo();
        break;
    case kEditRedo:
        m_viewController->Redo();
        break;
    case kEditSelectAll:
        m_viewController->SelectAll();
        break;
    case kViewSearch:
        Search();
        break;
    case kViewPrevMatch:
    case kViewNextMatch:
        FindMatch(command == kViewPrevMatch);
        break;
    case kHelpWebsite:
        NWindows::OpenHomePage();
        break;
    case kHelpManual:
        NWindows::OpenHelpPage(NWindows::kManualHelpPage);
        break;
    case kEditPreferences:
        OpenPreferences();
        break;
    case kHelpAbout:
        RunAboutDialog(ProgramIcon(), this);
        break;
    default:
        if (IsScrollCommand(command))
            m_viewController->Scroll(command);
        break;
    }
    Refresh();
}

void CMainWnd::Resolve(int side) {
    CBlockSelector* difference = m_operation.model.CurrentDifference();
    if (difference == nullptr)
        return;
    m_operation.model.Resolve(*difference, side);
    CurrentViewNotifications().RepaintSelector(*difference);
    m_viewController->LinesChanged();
    ResultChanged();
}

// After every change of the result: a resolution by a command, a button or
// the context menu, an edit, undo or redo.
void CMainWnd::ResultChanged() {
    m_resultEdited = true;
    m_operation.flags.Set(NSettings::kFlagResultUnsaved);
    m_overview->Refresh(true);
    Refresh();
}

void CMainWnd::ConnectView() {
    connect(m_view, &CXMLView::resolveButtonClicked, this, [this] {
        if (IsMerge())
            ResultChanged();
        else
            Refresh();
    });
    connect(m_viewController, &CViewController::resolvedFromMenu, this, &CMainWnd::ResultChanged);
    connect(m_viewController, &CViewController::resultChanged, this, &CMainWnd::ResultChanged);
    connect(m_view, &CXMLView::panesRefreshNeeded, this, [this] {
        m_overview->Refresh(true);
        Refresh();
    });
    connect(m_viewController, &CViewController::propertiesRequested, this,
            [this](const QString& element) { OpenPreferences(RulePath(element)); });
    connect(m_view, &CXMLView::verticallyScrolled, this, [this] { m_overview->Refresh(false); });
}

// Searches downward for the text the Search dialog asks for, and asks again
// while nothing matches.
void CMainWnd::Search() {
    while (RunSearchDialog(this, m_operation.flags)) {
        if (m_viewController->FindNext(CurrentSearchState().Text(), SearchOptions(false)))
            return;
    }
}

void CMainWnd::FindMatch(bool upward) {
    if (CurrentSearchState().Text().empty()) {
        Search();
        return;
    }
    if (m_viewController->FindNext(CurrentSearchState().Text(), SearchOptions(upward)))
        return;
    NPrompts::CurrentPrompts().ShowMessage(this,
                                           NString::NTranslator::Text("Search.MsgNoMatch").Text(),
                                           NString::NTranslator::Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Information, NPrompts::EButtons::Ok);
}

SSearchOptions CMainWnd::SearchOptions(bool upward) const {
    SSearchOptions options;
    options.matchCase = m_operation.flags.Has(NSettings::kFlagMatchCase);
    options.wholeWords = m_operation.flags.Has(NSettings::kFlagMatchWholeWords);
    options.upward = upward;
    return options;
}

void CMainWnd::ShowFiles() {
    std::array<QString, 3> titles;
    std::array<QString, 3> paths;
    for (std::size_t side = 0; side < titles.size(); ++side) {
        titles[side] = ToQString(m_operation.files[side].title);
        paths[side] = ToQString(m_operation.files[side].path);
    }
    m_resultPane->TitleStrip().SetFiles(titles, paths,
                                        m_operation.flags.Has(NSettings::kFlagThreeWay));
}

void CMainWnd::Go(bool next, bool conflicts) {
    m_viewController->Go(next, conflicts);
}

// ---- Toolbar, title and panes --------------------------------------------

void CMainWnd::Refresh() {
    if (m_toolbar->isVisibleTo(this))
        m_toolbar->Refresh(CountText());
    RefreshTitle();
}

void CMainWnd::RefreshTitle() {
    const CFlags& flags = m_operation.flags;
    const NString::TStr<char16_t> count = m_toolbar->isVisibleTo(this) || !IsResultShown()
                                              ? NString::TStr<char16_t>()
                                              : ::CountText(m_operation.model);
    setWindowTitle(
        ToQString(WindowTitle(m_operation.files, IsResultShown(), flags.Has(NSettings::kFlagMerge),
                              flags.Has(NSettings::kFlagThreeWay), count.Text())));
}

void CMainWnd::ToggleToolbar() {
    CFlags& flags = m_operation.flags;
    flags.Change(NSettings::kFlagToolbar, !flags.Has(NSettings::kFlagToolbar));
    m_toolbar->setVisible(flags.Has(NSettings::kFlagToolbar));
}

void CMainWnd::ToggleOverview() {
    CFlags& flags = m_operation.flags;
    flags.Change(NSettings::kFlagOverviewPane, !flags.Has(NSettings::kFlagOverviewPane));
    ShowOverview(IsResultShown() && flags.Has(NSettings::kFlagOverviewPane));
}

void CMainWnd::ShowOverview(bool shown) {
    PutPane(kOverviewPane, shown ? m_overview : nullptr);
    if (shown)
        m_overview->Refresh(true);
}

// ---- Language ------------------------------------------------------------

bool CMainWnd::ChooseLanguage(const char16_t* fileName) {
    if (const int applied = NString::NTranslator::ApplyLanguage(fileName);
        applied != NResult::kOk) {
        ReportUnshownLanguage(fileName, applied, this);
        return false;
    }
    Retranslate();
    // A store that refuses costs only the next run's language; the one
    // shown now stays.
    NString::NTranslator::RememberLanguage(fileName);
    return true;
}

// Dialogs take their texts when they are made, and the view's context menu
// when it opens; the file titles above the view are the user's own.
void CMainWnd::Retranslate() {
    STranslatedMenus menus = TranslateMenus();
    RetitleMenuBar(*menuBar(), menus.menuBar);
    m_keyFilter->SetKeyTable(std::move(menus.keyTable));
    m_toolbar->ApplyTexts();
    Refresh();
}

// ---- Preferences ---------------------------------------------------------

void CMainWnd::OpenPreferences(const QString& path) {
    ::OpenPreferences(this, m_operation.formats, m_operation.flags, *this, path,
                      m_updatePanelActions);
    Refresh();
}

QString CMainWnd::RulePath(const QString& element) const {
    const CFileSpec* spec = m_operation.spec;
    if (spec == nullptr)
        return QStringLiteral("Formats");
    const CSpecBase* rule = spec->FindChildRule(element.toUtf8().constData());
    if (rule == nullptr)
        rule = spec->FindChildRule("*");
    return QString::fromUtf8((rule != nullptr ? rule : spec)->SpecPath().Text());
}

void CMainWnd::DisplayChanged() {
    const CFlags& flags = m_operation.flags;
    m_toolbar->setVisible(flags.Has(NSettings::kFlagToolbar));
    ShowOverview(IsResultShown() && flags.Has(NSettings::kFlagOverviewPane));
    m_view->ResetFonts();
    m_viewController->LinesChanged();
    m_overview->Refresh(true);
    Refresh();
}

void CMainWnd::ReplaceFormats(const CFormatList& edited) {
    const CFileSpec* inUse = edited.FindInUse();
    const bool inUseChanged = inUse != nullptr && inUse->HasFlags(CSpecBase::kModified);
    m_operation.ReplaceFormats(edited);
    if (!SaveFormatsTellingFailures(m_operation.formats, this) || !IsResultShown() || !inUseChanged)
        return;
    if (HasUnsavedEdits() &&
        NPrompts::CurrentPrompts().ShowMessage(
            this, NString::NTranslator::Text("Prefs.MsgMatchAgain").Text(),
            NString::NTranslator::Text("Misc.AppName").Text(), NPrompts::EIcon::Question,
            NPrompts::EButtons::YesNo) != NPrompts::EAnswer::Yes)
        return;
    Rematch();
}

bool CMainWnd::HasUnsavedEdits() const {
    return m_resultEdited && m_operation.flags.Has(NSettings::kFlagResultUnsaved);
}

// The undo history and the current difference belong to the model that goes.
void CMainWnd::Rematch() {
    ShowResult(false);
    const NPtr::THolder<CLoadJob> job = RunProgressDialog(m_operation, this, ELoadInputs::Keep);
    if (job && !m_operation.flags.Has(NSettings::kFlagLoadFailed)) {
        ShowResult(true);
        m_viewController->Go(true, false);
    } else {
        m_operation.flags.Clear(NSettings::kFlagResultUnsaved);
    }
    Refresh();
}

// ---- Updates -------------------------------------------------------------

void CMainWnd::SetUpdateActions(SUpdatePanelActions preferences,
                                std::function<void()> showChangeLog) {
    m_updatePanelActions = std::move(preferences);
    m_showChangeLog = std::move(showChangeLog);
}

void CMainWnd::OfferUpdate(const SUpdateOfferText& offer, std::function<void()> download,
                           std::function<void(int days)> postpone) {
    if (!isVisible())
        return;
    const SUpdateAnswer answer =
        RunUpdateDialog(offer, m_operation.flags.Value(), m_showChangeLog, this);
    if (answer.choice == EUpdateChoice::Download && download)
        download();
    else if (answer.choice == EUpdateChoice::Postpone && postpone)
        postpone(answer.reminderDays);
}

// ---- Window events -------------------------------------------------------

void CMainWnd::closeEvent(QCloseEvent* event) {
    if (m_saving.MayClose())
        event->accept();
    else
        event->ignore();
}

// The window's own area, without the frame, is stored and restored: the frame
// is the window manager's, unknown until the window is shown, and a window
// sized by its outer size would grow by the frame with every start.
void CMainWnd::RememberPlacement() {
    if (isVisible() && !isMaximized() && !isMinimized() && !isFullScreen())
        NSettings::WriteWindowPos(NWindowPlacement::StoredPlacement(geometry()));
}

void CMainWnd::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    RememberPlacement();
}

void CMainWnd::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RememberPlacement();
}

void CMainWnd::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        m_operation.flags.Change(NSettings::kFlagMaximised, isMaximized());
}
