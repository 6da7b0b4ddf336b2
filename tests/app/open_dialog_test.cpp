#include "../formats/scripted_prompts.h"
#include "app/open_dialog.h"
#include "services/flags.h"
#include "services/recent_files.h"
#include "services/registry.h"
#include "services/settings_backend.h"
#include "services/settings_paths.h"
#include "widget_test.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

using NSettings::kFlagChosenInOpenDialog;
using NSettings::kFlagMerge;
using NSettings::kFlagThreeWay;

// Everything the Open dialog may change.
struct SState {
    std::uint32_t flags;
    std::uint32_t storedFlags;
    std::u16string pending[3];
    std::u16string recent[3];
    bool operator==(const SState&) const = default;
};

const char16_t* const kRecentPaths[3] = {NSettings::kRecentBaseFilePath,
                                         NSettings::kRecentLeftFilePath,
                                         NSettings::kRecentRightFilePath};

// The files chosen on OK, under the test's folder. Paths are taken exactly as
// typed, spaces and all, and however long.
QString ChosenFile(int side) {
    const QString names[3] = {QStringLiteral("base.xml"), QStringLiteral(" left with spaces.xml "),
                              (QString(200, u'd') + u'/').repeated(6) +
                                  QStringLiteral("right.xml")};
    return names[side];
}

class OpenDialogTest : public CWidgetTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        for (const char* name : {"left.xml", "right.xml"})
            Create(QString::fromLatin1(name));
        for (const int side : {kSideBase, kSideLeft, kSideRight})
            Create(ChosenFile(side));
        ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("folder")));
        m_flags.Load(NSettings::kDefaultFlags);
        m_recent.Add(u"/earlier/one.xml");
        m_recent.Add(u"/earlier/two.xml");
        NSettings::WriteString(NSettings::kRecentLeftFilePath, u"/earlier/one.xml");
        m_files[kSideBase].SetPendingPath(u"/abandoned/base.xml");
    }

    QString File(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }

    void Create(const QString& name) const {
        const QString path = m_folder.filePath(name);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<a/>");
    }

    SState State() const {
        SState state{m_flags.Value(), NSettings::ReadDword(NSettings::kFlagsPath, 0), {}, {}};
        for (int side = 0; side < 3; ++side) {
            state.pending[side] = m_files[side].pendingPath.Text();
            NSettings::ReadString(kRecentPaths[side], state.recent[side]);
        }
        return state;
    }

    // Runs the dialog as the program does; `drive` works it while it is open.
    bool Run(const std::function<void(COpenDialog&)>& drive) {
        WhenModal([&drive](QDialog& dialog) {
            auto* open = dynamic_cast<COpenDialog*>(&dialog);
            ASSERT_NE(open, nullptr);
            drive(*open);
        });
        return RunOpenDialog(nullptr, QIcon(), m_flags, m_recent, m_files);
    }

    static void Click(const QWidget& dialog, int button) {
        QTest::mouseClick(Control<QPushButton>(dialog, button), Qt::LeftButton);
    }
    static void Fill(const QWidget& dialog, bool merge, bool useBase, const QString& base,
                     const QString& left, const QString& right) {
        Control<QRadioButton>(dialog, merge ? 1051 : 1050)->setChecked(true);
        Control<QCheckBox>(dialog, 1020)->setChecked(useBase);
        Control<QComboBox>(dialog, 1016)->setEditText(base);
        Control<QComboBox>(dialog, 1012)->setEditText(left);
        Control<QComboBox>(dialog, 1014)->setEditText(right);
    }

    NSettings::CMemoryBackend m_backend;
    NSettings::CScopedBackend m_scopedBackend{m_backend};
    FormatsTest::CScriptedPrompts m_prompts;
    QTemporaryDir m_folder;
    NSettings::CFlags m_flags;
    NSettings::CRecentFiles m_recent;
    std::array<CXMLFile, 3> m_files;
};

TEST_F(OpenDialogTest, ShowsFlagsAndRecentPathsAndTheBaseBoxEnablesItsRow) {
    const struct {
        std::uint32_t flags;
        int checkedRadio;
    } cases[] = {{0, 1050}, {kFlagMerge | kFlagThreeWay, 1051}};
    QWidget owner;
    for (const auto& test : cases) {
        m_flags.Assign(kFlagMerge | kFlagThreeWay, test.flags);
        const COpenDialog alone(QIcon(), m_flags, m_recent);
        const COpenDialog owned(QIcon(), m_flags, m_recent, &owner);
        EXPECT_EQ(alone.windowTitle(),
                  Translated("Open.Title") + QStringLiteral(" - ") + Translated("Misc.AppName"));
        EXPECT_EQ(owned.windowTitle(), Translated("Open.Title"));
        EXPECT_TRUE(Control<QRadioButton>(alone, test.checkedRadio)->isChecked());
        const auto* left = Control<QComboBox>(alone, 1012);
        EXPECT_EQ(left->currentText(), u"/earlier/one.xml");
        EXPECT_EQ(Control<QComboBox>(alone, 1014)->currentText(), u"");
        ASSERT_EQ(left->count(), 2);
        EXPECT_EQ(left->itemText(0), u"/earlier/two.xml");

        const bool threeWay = (test.flags & kFlagThreeWay) != 0;
        auto* useBase = Control<QCheckBox>(alone, 1020);
        EXPECT_EQ(useBase->isChecked(), threeWay);
        for (const bool checked : {threeWay, !threeWay, threeWay}) {
            useBase->setChecked(checked);
            EXPECT_EQ(Control<QComboBox>(alone, 1016)->isEnabled(), checked);
            EXPECT_EQ(Control<QPushButton>(alone, 1017)->isEnabled(), checked);
            EXPECT_TRUE(Control<QComboBox>(alone, 1012)->isEnabled());
        }
    }
}

// Each OK is refused with the message of the first bad field, the dialog stays
// open with the focus on that field, and nothing is written, not even the
// fields that passed, nor by the Cancel that ends it.
TEST_F(OpenDialogTest, RefusesTheFirstBadFieldAndWritesNothing) {
    struct SCase {
        bool useBase;
        const char* base;
        const char* left;
        const char* right;
        const char* messageKey;
        // The path the message names, or null.
        const char* named;
        NPrompts::EIcon icon;
        int focused;
    };
    using enum NPrompts::EIcon;
    const SCase cases[] = {
        {false, "", "", "right.xml", "Open.MsgSelectLeft", nullptr, Warning, 1012},
        {false, "", "left.xml", "", "Open.MsgSelectRight", nullptr, Warning, 1014},
        {true, "", "left.xml", "right.xml", "Open.MsgSelectBase", nullptr, Warning, 1016},
        // The right side is checked before the (also empty) base.
        {true, "", "left.xml", "folder", "Open.MsgFileNotFound", "folder", Error, 1014},
        {false, "", "missing.xml", "", "Open.MsgFileNotFound", "missing.xml", Error, 1012},
    };
    const auto path = [this](const char* name) { return *name == 0 ? QString() : File(name); };
    const SState before = State();
    for (const auto& test : cases) {
        m_prompts.messages.clear();
        bool stayedOpen = false;
        bool focused = false;
        EXPECT_FALSE(Run([&](COpenDialog& dialog) {
            Fill(dialog, true, test.useBase, path(test.base), path(test.left), path(test.right));
            Click(dialog, 1);
            stayedOpen = dialog.isVisible();
            const QWidget* field = Control<QComboBox>(dialog, test.focused);
            focused = dialog.focusWidget() == field || field->isAncestorOf(dialog.focusWidget());
            Click(dialog, 2);
        })) << test.messageKey;
        EXPECT_TRUE(stayedOpen) << test.messageKey;
        EXPECT_TRUE(focused) << test.messageKey;
        ASSERT_EQ(m_prompts.messages.size(), 1u) << test.messageKey;
        const auto& message = m_prompts.messages.front();
        QString expected = Translated(test.messageKey);
        if (test.named != nullptr)
            expected.replace(QStringLiteral("{0s}"), File(test.named));
        EXPECT_EQ(QString::fromStdU16String(message.text), expected);
        EXPECT_EQ(QString::fromStdU16String(message.caption), Translated("Misc.AppName"));
        EXPECT_EQ(message.icon, test.icon) << test.messageKey;
        EXPECT_EQ(State(), before) << test.messageKey;
    }
}

TEST_F(OpenDialogTest, OkWritesEveryChoiceAndAnUnusedBaseIsDropped) {
    const struct {
        std::uint32_t flagsBefore;
        bool merge;
        bool useBase;
        std::uint32_t flagsAfter;
    } cases[] = {
        {0, true, true, kFlagMerge | kFlagThreeWay},
        {kFlagMerge | kFlagThreeWay, false, false, 0},
    };
    for (const auto& test : cases) {
        m_flags.Assign(kFlagMerge | kFlagThreeWay | kFlagChosenInOpenDialog, test.flagsBefore);
        m_files[kSideBase].SetPendingPath(u"/abandoned/base.xml");
        const SState before = State();
        EXPECT_TRUE(Run([&](COpenDialog& dialog) {
            Fill(dialog, test.merge, test.useBase, m_folder.filePath(ChosenFile(kSideBase)),
                 m_folder.filePath(ChosenFile(kSideLeft)),
                 m_folder.filePath(ChosenFile(kSideRight)));
            Click(dialog, 1);
        }));
        EXPECT_TRUE(m_prompts.messages.empty());
        SState expected = before;
        expected.flags = (before.flags & ~(kFlagMerge | kFlagThreeWay)) | test.flagsAfter |
                         kFlagChosenInOpenDialog;
        expected.storedFlags = expected.flags & NSettings::kPersistedFlagMask;
        for (const int side : {kSideLeft, kSideRight, kSideBase}) {
            if (side == kSideBase && !test.useBase)
                expected.pending[side].clear();
            else
                expected.pending[side] = expected.recent[side] =
                    m_folder.filePath(ChosenFile(side)).toStdU16String();
        }
        EXPECT_EQ(State(), expected);
    }
}

TEST_F(OpenDialogTest, FilesNamedAlreadyFillTheirFieldsInsteadOfTheLastAccepted) {
    NSettings::WriteString(kRecentPaths[kSideLeft], u"/last/left.xml");
    NSettings::WriteString(kRecentPaths[kSideRight], u"/last/right.xml");
    m_files[kSideLeft].SetPath(u"/named/chosen.xml");
    QString left;
    QString right;
    Run([&](COpenDialog& dialog) {
        left = dialog.Path(kSideLeft);
        right = dialog.Path(kSideRight);
        dialog.reject();
    });
    EXPECT_EQ(left, QStringLiteral("/named/chosen.xml"));
    EXPECT_EQ(right, QStringLiteral("/last/right.xml"));
}

// "..." opens the file chooser in the folder of the side's path; a chosen file
// replaces the path, and cancelling the chooser keeps it.
TEST_F(OpenDialogTest, BrowseStartsInThePathsFolderAndTakesTheChosenFile) {
    COpenDialog dialog(QIcon(), m_flags, m_recent);
    auto* right = Control<QComboBox>(dialog, 1014);
    for (const bool choose : {false, true}) {
        right->setEditText(File("folder"));
        QString title;
        QStringList filters;
        QString folder;
        WhenModal([&](QDialog& shown) {
            auto* chooser = qobject_cast<QFileDialog*>(&shown);
            ASSERT_NE(chooser, nullptr);
            title = chooser->windowTitle();
            filters = chooser->nameFilters();
            folder = chooser->directory().path();
            if (choose) {
                chooser->selectFile(File("right.xml"));
                shown.accept();
            }
        });
        Click(dialog, 1015);
        EXPECT_EQ(title, Translated("Open.FileTitle"));
        EXPECT_EQ(filters, QStringList({"XML Files (*.xml)", "All Files (*)"}));
        EXPECT_EQ(folder, m_folder.path());
        EXPECT_EQ(right->currentText(), choose ? File("right.xml") : File("folder"));
    }
}

} // namespace
