// Renders the main window with the examples merged, and each dialog, to PNG
// files in the folder named by the only argument. Qt's offscreen platform
// stands in for a display, and the settings stay in memory: nothing of the
// user's is read or changed.
#include "app/about_dialog.h"
#include "app/command_table.h"
#include "app/main_window.h"
#include "app/open_dialog.h"
#include "app/preferences_dialog.h"
#include "app/progress_dialog.h"
#include "app/update_dialog.h"
#include "app/update_panel.h"
#include "app/usage.h"
#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "framework/job_manager.h"
#include "icons/icon_set.h"
#include "merge/operation.h"
#include "prompts/choose_spec_dialog.h"
#include "prompts/create_spec_dialog.h"
#include "services/flags.h"
#include "services/recent_files.h"
#include "services/settings_backend.h"
#include "text/format.h"
#include "translation/embedded_language.h"
#include "translation/translator.h"
#include "view/xml_view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kSourceDir = QStringLiteral(QUILLMERE_SOURCE_DIR);

std::u16string SourcePath(const char* relative) {
    return (kSourceDir + u'/' + QLatin1String(relative)).toStdU16String();
}

bool Save(QWidget& widget, const QDir& folder, const char* name) {
    widget.show();
    QApplication::processEvents();
    const QString path = folder.filePath(QLatin1String(name));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    widget.hide();
    return saved;
}

// The dialogs over the shown main window, each as the user first sees it.
bool SaveDialogs(CMainWnd& window, NSettings::CFlags& flags,
                 const NSettings::CRecentFiles& recentFiles, const QDir& folder) {
    bool saved = true;
    COpenDialog open(ProgramIcon(), flags, recentFiles, &window);
    saved &= Save(open, folder, "open-dialog.png");
    CProgressDialog progress(&window);
    progress.SetPosition(50);
    saved &= Save(progress, folder, "progress-dialog.png");
    CAboutDialog about(ProgramIcon(), &window);
    saved &= Save(about, folder, "about-dialog.png");
    const char* const names[] = {"Android resources", "Android resources (strings first)"};
    NString::TStr<char16_t> info;
    NString::Format(info, NString::NTranslator::Text("ChooseSpec.Info").Text(), "resources");
    CChooseSpecDialog choose(&window, {info.Text(), names, 0});
    saved &= Save(choose, folder, "choose-spec-dialog.png");
    CCreateSpecDialog create(&window, {"resources", u"strings.xml", u"", "resources"});
    saved &= Save(create, folder, "create-spec-dialog.png");
    CUpdateDialog update(
        {QStringLiteral("1.2.0"), QString::fromLatin1(ProgramVersion())}, flags.Value(), [] {},
        &window);
    saved &= Save(update, folder, "update-dialog.png");
    return saved;
}

// The shipped format specifications, copied: a load may teach them (and save
// them).
class CFormatsCopy {
public:
    CFormatsCopy() {
        const QDir shipped(kSourceDir + QStringLiteral("/data/Formats"));
        for (const QString& name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), m_folder.filePath(name));
        formats.LoadFrom((m_folder.path() + u'/').toStdU16String().c_str());
    }

    CFormatList formats;

private:
    QTemporaryDir m_folder;
};

// The examples, with the right side changing the greeting the left side
// changes too, so that the merge holds a conflict.
class CConflictingExamples {
public:
    CConflictingExamples() {
        for (const char* name : {"base.xml", "left.xml", "right.xml"})
            QFile::copy(kSourceDir + QStringLiteral("/examples/") + QLatin1String(name),
                        m_folder.filePath(QLatin1String(name)));
        QFile right(m_folder.filePath(QStringLiteral("right.xml")));
        right.open(QIODevice::ReadOnly);
        QByteArray text = right.readAll();
        right.close();
        text.replace("Welcome aboard!</string>", "Welcome aboard, sailor!</string>");
        right.open(QIODevice::WriteOnly | QIODevice::Truncate);
        right.write(text);
    }

    std::u16string Path(const char* name) const {
        return m_folder.filePath(QLatin1String(name)).toStdU16String();
    }

private:
    QTemporaryDir m_folder;
};

void SendKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &press);
}

// A click at the end of `line` of the view, as the mouse gives it.
void ClickLineEnd(CXMLView& view, int line) {
    const QPointF point(view.viewport()->width() - 30,
                        line * view.LineHeight() - view.VerticalPosition() + 2);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, point, view.viewport()->mapToGlobal(point), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
}

void TypeText(QWidget& widget, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(&widget, &press);
    }
}

// The three-way merge with its conflict, a difference resolved to the right
// and a selection, the same merge with the conflict edited by hand, then the
// same files compared two-way; then the dialogs.
// The Preferences dialog on each of its pages: the categories, then the
// specification in use and its element rule that identifies by the most.
bool SavePreferences(CMainWnd& window, COperation& operation, NSettings::CFlags& flags,
                     const QDir& folder) {
    const CSpecBase* rule = operation.spec->FirstRule();
    for (const CSpecBase* other = rule; other != nullptr; other = other->NextRule())
        if (other->ChildCount() > rule->ChildCount())
            rule = other;
    const struct {
        QString path;
        const char* picture;
    } kPages[] = {
        {QStringLiteral("Display"), "preferences-display.png"},
        {QStringLiteral("Updates"), "preferences-updates.png"},
        {QStringLiteral("Formats"), "preferences-formats.png"},
        {QString::fromUtf8(operation.spec->SpecPath().Text()), "preferences-file-spec.png"},
        {QString::fromUtf8(rule->SpecPath().Text()), "preferences-element-spec.png"},
    };
    // The Updates page as a build with an update check shows it.
    const SUpdatePanelActions updates{{}, [](QWidget*) {}};
    bool saved = true;
    for (const auto& page : kPages) {
        CPreferencesDialog::SelectionPath() = page.path;
        CPreferencesDialog dialog(operation.formats, flags, window, &window, updates);
        saved &= Save(dialog, folder, page.picture);
    }
    return saved;
}

bool SaveScreenshots(const QDir& folder) {
    NSettings::CFlags flags;
    flags.Load(NSettings::kDefaultFlags);
    flags.Set(NSettings::kFlagMerge | NSettings::kFlagThreeWay);
    CFormatsCopy formats;
    const CConflictingExamples examples;
    NSettings::CRecentFiles recentFiles;
    COperation operation(flags, formats.formats, &recentFiles);
    for (const auto& [side, name] :
         {std::pair{kSideBase, "base.xml"}, {kSideLeft, "left.xml"}, {kSideRight, "right.xml"}}) {
        CXMLFile& file = operation.files[static_cast<std::size_t>(side)];
        file.SetPath(examples.Path(name).c_str());
        // The pictures name the examples, not the temporary copies.
        file.SetTitle((QStringLiteral("examples/") + QLatin1String(name)).toStdU16String().c_str());
    }
    CMainWnd::CPath resultPath;
    CMainWnd::CPath reportPath;
    CMainWnd window(operation, resultPath, reportPath);
    window.resize(1000, 600);
    if (!window.StartOperation(false)) {
        std::fputs("screenshots: the examples did not load\n", stderr);
        return false;
    }
    window.show();
    window.RunCommand(NCommands::kEditResolveRight);
    window.RunCommand(NCommands::kViewNextDiff);
    auto* view = window.findChild<CXMLView*>();
    for (int line = 0; line < 3; ++line)
        SendKey(*view, Qt::Key_Down, Qt::ShiftModifier);
    bool saved = Save(window, folder, "merge-window.png");
    window.show();

    // The conflict settled by hand: its left version edited.
    const auto line = static_cast<int>(operation.model.CurrentDifference()->FirstLine());
    ClickLineEnd(*view, line);
    TypeText(*view, QStringLiteral(" Ahoy!"));
    saved &= Save(window, folder, "edited-merge-window.png");

    // The merge's changes are let go without a question.
    flags.Clear(NSettings::kFlagMerge | NSettings::kFlagThreeWay | NSettings::kFlagResultUnsaved);
    operation.files[kSideBase].SetPath(u"");
    window.RunCommand(NCommands::kFileReload);
    saved &= Save(window, folder, "compare-window.png");
    window.show();
    saved &= SavePreferences(window, operation, flags, folder);
    return SaveDialogs(window, flags, recentFiles, folder) && saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: quillmere_screenshots FOLDER\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "screenshots: cannot make %s\n", argv[1]);
        return 2;
    }
    NSettings::CMemoryBackend settings;
    const NSettings::CScopedBackend backend(settings);
    if (NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource, true,
                                         SourcePath("data/Text").c_str()) != 1 ||
        NSys::StartJobThreads(1) != NResult::kOk)
        return 2;
    const bool saved = SaveScreenshots(folder);
    NSys::StopJobThreads();
    return saved ? 0 : 1;
}
