#include "../translation/translator_test_support.h"
#include "../xml/xml_test_support.h"
#include "app/command_table.h"
#include "main_window_fixture.h"
#include "merge/block_rendering.h"
#include "merge/block_selector.h"
#include "services/display_settings.h"
#include "services/registry.h"
#include "services/settings_paths.h"
#include "view/xml_view.h"

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <cerrno>
#include <cstring>

namespace {

using namespace NCommands;
using FormatsTest::U16;
using NPrompts::EAnswer;
using NSettings::kFlagResultUnsaved;

TEST_F(MainWindowTest, CommandsAreEnabledByTheOperation) {
    const struct {
        bool merge;
        bool threeWay;
        bool resolveLeft;
        bool resolveBase;
        bool save;
        // Whether a conflict follows the first difference, where a load
        // puts the current one: both differences conflict without a base,
        // and the only conflict comes first with one.
        bool nextConflict;
    } cases[] = {
        {false, false, false, false, false, false},
        {true, false, true, false, true, true},
        {true, true, true, true, true, false},
    };
    for (const auto& test : cases) {
        const auto window = Loaded(test.merge, test.threeWay);
        const std::string name = std::to_string(test.merge) + std::to_string(test.threeWay);
        EXPECT_TRUE(window->IsResultShown()) << name;
        EXPECT_EQ(window->IsCommandEnabled(kEditResolveLeft), test.resolveLeft) << name;
        EXPECT_EQ(window->IsCommandEnabled(kEditResolveRight), test.resolveLeft) << name;
        EXPECT_EQ(window->IsCommandEnabled(kEditResolveBase), test.resolveBase) << name;
        EXPECT_EQ(window->IsCommandEnabled(kFileSave), test.save) << name;
        EXPECT_EQ(window->IsCommandEnabled(kViewNextConflict), test.nextConflict) << name;
        EXPECT_TRUE(window->IsCommandEnabled(kFileGenReport)) << name;
        // Their targets come with the document view.
        EXPECT_FALSE(window->IsCommandEnabled(kEditUndo)) << name;
        EXPECT_FALSE(window->IsCommandEnabled(kEditCopy)) << name;
    }
}

TEST_F(MainWindowTest, CountsShowInTheToolbarOrElseInTheTitle) {
    const auto window = Loaded(true, true);
    const QString count = window->CountText();
    EXPECT_EQ(count, QStringLiteral("1 difference + 1 conflict"));
    const auto* label = window->findChild<QLabel*>(QStringLiteral("ctl10000"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), count);
    EXPECT_FALSE(window->windowTitle().contains(count));
    window->RunCommand(kViewToolbar);
    EXPECT_FALSE(m_flags.Has(NSettings::kFlagToolbar));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" - ") + count));
    window->RunCommand(kViewToolbar);
    EXPECT_FALSE(window->windowTitle().contains(count));
}

TEST_F(MainWindowTest, SaveRefusesWhileConflictsRemainAndWritesOnceResolved) {
    const auto window = Loaded(true, true);
    const std::filesystem::path result = File("merged.xml");
    m_resultPath = U16(result).c_str();
    window->RunCommand(kFileSave);
    EXPECT_EQ(LastMessage(), Translated("Msg.MustResolve"));
    EXPECT_FALSE(std::filesystem::exists(result));

    window->RunCommand(kViewNextConflict);
    window->RunCommand(kEditResolveRight);
    EXPECT_EQ(window->CountText(), QStringLiteral("2 differences + 0 conflicts"));
    ASSERT_TRUE(window->IsCommandEnabled(kFileSave));
    // Without a result path, Save asks for one.
    m_resultPath.Clear();
    QString title;
    ChooseInFileDialog(result, title);
    window->RunCommand(kFileSave);
    EXPECT_EQ(title, Translated("Misc.SaveTitle"));
    EXPECT_EQ(FormatsTest::ReadTextFile(result),
              "<inventory><item sku='1'>c</item><item sku='2'>y</item></inventory>");
    EXPECT_FALSE(m_flags.Has(kFlagResultUnsaved));
    EXPECT_FALSE(window->IsCommandEnabled(kFileSave));
}

TEST_F(MainWindowTest, ReportIsWrittenWhereTheUserChooses) {
    const auto window = Loaded(false, true);
    const std::filesystem::path report = File("report.txt");
    QString title;
    ChooseInFileDialog(report, title);
    window->RunCommand(kFileGenReport);
    EXPECT_EQ(title, Translated("Misc.ReportTitle"));
    EXPECT_EQ(FormatsTest::ReadTextFile(report).rfind("Report: Three-way comparison", 0), 0u);
}

TEST_F(MainWindowTest, ClosingAsksAboutUnsavedWork) {
    const struct {
        bool resolveConflict;
        EAnswer answer;
        const char* questionKey;
        bool closes;
    } cases[] = {
        {false, EAnswer::Yes, "Msg.UnsavedConflicts", true},
        {false, EAnswer::No, "Msg.UnsavedConflicts", false},
        {true, EAnswer::No, "Msg.UnsavedChanges", true},
        {true, EAnswer::Cancel, "Msg.UnsavedChanges", false},
        // The save fails (its folder is missing): the window stays.
        {true, EAnswer::Yes, "Msg.UnsavedChanges", false},
    };
    for (const auto& test : cases) {
        const auto window = Loaded(true, true);
        window->show();
        if (test.resolveConflict) {
            window->RunCommand(kViewNextConflict);
            window->RunCommand(kEditResolveLeft);
        }
        m_resultPath = U16(File("missing-folder/merged.xml")).c_str();
        m_prompts.messages.clear();
        m_prompts.answers = {test.answer};
        EXPECT_EQ(window->close(), test.closes) << test.questionKey;
        ASSERT_FALSE(m_prompts.messages.empty());
        EXPECT_EQ(QString::fromStdU16String(m_prompts.messages.front().text),
                  Translated(test.questionKey));
        EXPECT_TRUE(m_flags.Has(kFlagResultUnsaved));
    }
}

// Cancelling the Open dialog ends a start without files and keeps what was
// unsaved.
TEST_F(MainWindowTest, StartWithoutFilesAsksAndCancelKeepsEverything) {
    m_flags.Set(kFlagResultUnsaved);
    CMainWnd window(m_operation, m_resultPath, m_reportPath);
    bool asked = false;
    WhenModal([&asked](QDialog& dialog) {
        asked = dialog.findChild<QWidget*>(QStringLiteral("ctl1050")) != nullptr;
    });
    EXPECT_FALSE(window.StartOperation(false));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(m_flags.Has(kFlagResultUnsaved));
    EXPECT_FALSE(window.IsResultShown());
}

TEST_F(MainWindowTest, AFailedReloadLeavesNothingToSaveOrReport) {
    const auto window = Loaded(true, true);
    std::filesystem::remove(File("right.xml"));
    // Reloading throws the unsaved merge away.
    m_prompts.answers = {EAnswer::No};
    window->RunCommand(kFileReload);
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("right.xml")));
    EXPECT_FALSE(window->IsResultShown());
    for (const std::uint32_t command :
         {kFileReload, kFileSave, kFileSaveAs, kFileGenReport, kEditResolveLeft, kViewNextDiff})
        EXPECT_FALSE(window->IsCommandEnabled(command)) << command;
    EXPECT_TRUE(window->IsCommandEnabled(kFileOpen));
    EXPECT_EQ(window->CountText(), QString());
}

// Whole blocks cut and pasted with the keys, undone and redone.
TEST_F(MainWindowTest, KeysCutPasteAndUndoBlocks) {
    const auto window = Loaded(true, true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* view = window->findChild<CXMLView*>();
    ASSERT_NE(view, nullptr);
    view->setFocus();
    const std::string before = RenderModel(m_operation.model);
    const auto lines = m_operation.model.LineCount();
    // The second item, selected from its start line down to the next one.
    const int line = static_cast<int>(m_operation.model.Differences()[1]->FirstLine());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(70, line * view->LineHeight() - view->VerticalPosition() + 2));
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    m_flags.Clear(kFlagResultUnsaved);
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
    const std::string cut = RenderModel(m_operation.model);
    EXPECT_LT(m_operation.model.LineCount(), lines);
    EXPECT_TRUE(m_flags.Has(kFlagResultUnsaved));
    EXPECT_FALSE(QApplication::clipboard()->text().isEmpty());

    // Pasted at the caret, on the end tag of the list: its last child.
    const auto cutLines = m_operation.model.LineCount();
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_operation.model.LineCount(), cutLines + 3);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(RenderModel(m_operation.model), cut);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(RenderModel(m_operation.model), before);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(RenderModel(m_operation.model), cut);
}

// Characters and Backspace typed into the view, undone and redone.
TEST_F(MainWindowTest, TypingEditsTheResultWithUndo) {
    const auto window = Loaded(true, true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->RunCommand(kEditResolveLeft);
    auto* view = window->findChild<CXMLView*>();
    ASSERT_NE(view, nullptr);
    const auto merged = [this] {
        NIO::TBuffer<0> out;
        return m_operation.model.Root().WriteMerged(out) ? XmlTest::StreamContent(out)
                                                         : std::string("<failed>");
    };
    const std::string before = merged();
    // The end of the left's "y" of the second item.
    const int line = static_cast<int>(m_operation.model.Differences()[1]->FirstLine());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(view->viewport()->width() - 30,
                             line * view->LineHeight() - view->VerticalPosition() + 2));
    m_flags.Clear(kFlagResultUnsaved);
    QTest::keyClicks(view, "es<");
    EXPECT_EQ(merged(),
              "<inventory><item sku='1'>b</item><item sku='2'>yes&lt;</item></inventory>");
    EXPECT_TRUE(m_flags.Has(kFlagResultUnsaved));
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ(merged(), "<inventory><item sku='1'>b</item><item sku='2'>yes</item></inventory>");
    for (int step = 0; step < 4; ++step)
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(merged(), before);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(merged(), "<inventory><item sku='1'>b</item><item sku='2'>ye</item></inventory>");
}

// Every change of the result asks to be saved: a resolve button's too.
TEST_F(MainWindowTest, AResolveButtonLeavesTheResultUnsaved) {
    const auto window = Loaded(true, true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* view = window->findChild<CXMLView*>();
    ASSERT_NE(view, nullptr);
    view->viewport()->repaint();
    ASSERT_FALSE(view->ResolveButtons().empty());
    m_flags.Clear(kFlagResultUnsaved);
    const QString before = window->CountText();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->ResolveButtons().front().rect.center());
    EXPECT_TRUE(m_flags.Has(kFlagResultUnsaved));
    EXPECT_NE(window->CountText(), before);
}

TEST_F(MainWindowTest, PlacementIsRememberedAndAnOffScreenOneIgnored) {
    const QRect placed(40, 30, 700, 400);
    {
        const auto window = Loaded(false, false);
        window->ShowFirstTime();
        window->setGeometry(placed);
        QTest::qWait(0);
    }
    NSettings::SWindowPos stored{};
    ASSERT_TRUE(NSettings::ReadWindowPos(stored));
    EXPECT_EQ(QRect(stored.left, stored.top, stored.width, stored.height), placed);
    {
        const auto window = Loaded(false, false);
        window->ShowFirstTime();
        EXPECT_EQ(window->geometry(), placed);
    }
    NSettings::WriteWindowPos({-5000, -5000, 700, 400});
    const auto window = Loaded(false, false);
    window->ShowFirstTime();
    EXPECT_TRUE(window->screen()->availableGeometry().intersects(window->geometry()));
}

// Switches languages and lists them; every test leaves the shipped languages
// listed and English shown, as the other tests expect.
class MainWindowLanguageTest : public MainWindowTest {
protected:
    void TearDown() override { CWidgetTest::SetUpTestSuite(); }

    // Lists the languages of a folder holding a French "fr.xml" and shows English.
    void ListFrench() {
        m_languages.Write("fr.xml", NTranslatorTest::LanguageXml(
                                        "<Group name='Lang'><Text name='Name'>Fran\xC3\xA7"
                                        "ais</Text></Group>"
                                        "<Group name='Menu'><Text name='File'>&amp;Fichier</Text>"
                                        "<Text name='ViewNextDiff'>&amp;Diff\xC3\xA9rence "
                                        "suivante\tAlt+Right</Text></Group>"));
        ASSERT_EQ(NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource,
                                                   true, m_languages.Path16().c_str()),
                  1);
    }

    std::u16string Remembered() const {
        std::u16string fileName = u"(nothing)";
        NSettings::ReadString(NSettings::kLanguagePath, fileName);
        return fileName;
    }

    // The text of the menu item that `path` indexes from the menu bar down.
    static QString MenuText(const CMainWnd& window, std::initializer_list<int> path) {
        QList<QAction*> actions = window.menuBar()->actions();
        QString text;
        for (const int index : path) {
            QAction* action = actions.value(index);
            if (action == nullptr)
                return QStringLiteral("<none>");
            text = action->text();
            actions = action->menu() != nullptr ? action->menu()->actions() : QList<QAction*>();
        }
        return text;
    }

    static QString FirstButtonTip(const CMainWnd& window) {
        const auto* toolbar = window.findChild<QToolBar*>(QStringLiteral("toolbar"));
        return toolbar != nullptr ? toolbar->actions().value(0)->toolTip() : QString();
    }

    NTranslatorTest::CTempFolder m_languages;
};

TEST_F(MainWindowLanguageTest, ChosenLanguageShowsAtOnceAndIsRemembered) {
    const QString app = QStringLiteral("Velden\u00A0Quillmere");
    const struct {
        const char16_t* fileName;
        QString fileMenu;
        QString openItem;
        QString helpMenu;
        QString resolveLeftItem;
        QString openButton;
        QString title;
        QString count;
    } cases[] = {
        {u"Deutsch.xml", QStringLiteral("&Datei"), QStringLiteral("\u00D6&ffnen...\tCtrl+O"),
         QStringLiteral("&Hilfe"), QStringLiteral("&Links\tShift+Alt+L"),
         QStringLiteral("\u00D6ffnen"),
         QStringLiteral("Vergleich von left.xml mit right.xml - ") + app,
         QStringLiteral("2 Unterschiede")},
        {u"", QStringLiteral("&File"), QStringLiteral("&Open...\tCtrl+O"), QStringLiteral("&Help"),
         QStringLiteral("&Left\tShift+Alt+L"), QStringLiteral("Open"),
         QStringLiteral("Comparing left.xml with right.xml - ") + app,
         QStringLiteral("2 differences")},
    };
    const auto window = Loaded(false, false);
    for (const auto& test : cases) {
        const std::string name = QString::fromUtf16(test.fileName).toStdString();
        ASSERT_TRUE(window->ChooseLanguage(test.fileName)) << name;
        EXPECT_EQ(MenuText(*window, {0}), test.fileMenu) << name;
        EXPECT_EQ(MenuText(*window, {0, 0}), test.openItem) << name;
        EXPECT_EQ(MenuText(*window, {3}), test.helpMenu) << name;
        EXPECT_EQ(MenuText(*window, {1, 3, 0}), test.resolveLeftItem) << name;
        EXPECT_EQ(FirstButtonTip(*window), test.openButton) << name;
        EXPECT_EQ(window->windowTitle(), test.title) << name;
        EXPECT_EQ(window->CountText(), test.count) << name;
        EXPECT_EQ(Remembered(), test.fileName) << name;
    }
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(MainWindowLanguageTest, DialogsOpenedAfterTheSwitchSpeakTheNewLanguage) {
    const struct {
        std::uint32_t command;
        QString title;
    } cases[] = {
        {kFileOpen, QStringLiteral("Dateien \u00F6ffnen - Velden\u00A0Quillmere")},
        {kViewSearch, QStringLiteral("Suchen")},
        {kHelpAbout, QStringLiteral("Info \u00FCber Quillmere")},
    };
    const auto window = Loaded(false, false);
    ASSERT_TRUE(window->ChooseLanguage(u"Deutsch.xml"));
    for (const auto& test : cases) {
        QString shown;
        WhenModal([&shown](QDialog& dialog) { shown = dialog.windowTitle(); });
        window->RunCommand(test.command);
        EXPECT_EQ(shown.toStdString(), test.title.toStdString()) << test.command;
    }
}

TEST_F(MainWindowLanguageTest, KeysFollowTheShortcutsTheNewMenusName) {
    ListFrench();
    const auto window = Loaded(true, false);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // Keys go where the focus is: the document view.
    QWidget* view = QApplication::focusWidget();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->objectName(), QStringLiteral("QMResultView"));
    const int first = m_operation.model.CurrentIndex();
    QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier);
    ASSERT_EQ(m_operation.model.CurrentIndex(), first) << "not bound in English";

    ASSERT_TRUE(window->ChooseLanguage(u"fr.xml"));
    QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(m_operation.model.CurrentIndex(), first) << "the English key is taken away";
    QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(m_operation.model.CurrentIndex(), first + 1);
}

TEST_F(MainWindowLanguageTest, UnusableLanguageKeepsTheTextsShownAndSaysWhy) {
    const struct {
        const char* name;
        // What becomes of fr.xml after it was listed and shown.
        const char* replacement; // null: the file is removed
        const char16_t* chosen;
        std::string reason;
    } cases[] = {
        {"removed", nullptr, u"fr.xml", std::strerror(ENOENT)},
        {"not well-formed", "<Language><Group name='Menu'>", u"fr.xml", "not a well-formed"},
        {"no Language root", "<Sprache/>", u"fr.xml", "not a well-formed"},
        {"never listed", "", u"it.xml", "not one of the language files"},
    };
    const auto window = Loaded(false, false);
    for (const auto& test : cases) {
        ListFrench();
        ASSERT_TRUE(window->ChooseLanguage(u"fr.xml")) << test.name;
        const QString title = window->windowTitle();
        if (test.replacement == nullptr)
            std::filesystem::remove(m_languages.Path() / "fr.xml");
        else if (test.replacement[0] != 0)
            m_languages.Write("fr.xml", test.replacement);
        m_prompts.messages.clear();

        EXPECT_FALSE(window->ChooseLanguage(test.chosen)) << test.name;
        EXPECT_EQ(MenuText(*window, {0}), QStringLiteral("&Fichier")) << test.name;
        EXPECT_EQ(window->windowTitle(), title) << test.name;
        EXPECT_EQ(Remembered(), u"fr.xml") << test.name;
        ASSERT_EQ(m_prompts.messages.size(), 1u) << test.name;
        EXPECT_EQ(m_prompts.messages[0].icon, NPrompts::EIcon::Error) << test.name;
        const QString message = LastMessage();
        EXPECT_TRUE(message.contains(QString::fromUtf16(test.chosen))) << test.name;
        EXPECT_TRUE(message.contains(QString::fromStdString(test.reason))) << test.name;
    }
}

} // namespace
