#pragma once

#include "../formats/formats_test_support.h"
#include "../formats/scripted_prompts.h"
#include "app/main_window.h"
#include "formats/format_list.h"
#include "framework/job_manager.h"
#include "framework/result.h"
#include "merge/operation.h"
#include "services/flags.h"
#include "services/recent_files.h"
#include "services/settings_backend.h"
#include "widget_test.h"

#include <QFileDialog>
#include <filesystem>
#include <memory>

// Item 1 changed differently on each side (a conflict), item 2 only on the
// left (a difference).
inline constexpr const char* kBase =
    "<inventory><item sku='1'>a</item><item sku='2'>x</item></inventory>";
inline constexpr const char* kLeft =
    "<inventory><item sku='1'>b</item><item sku='2'>y</item></inventory>";
inline constexpr const char* kRight =
    "<inventory><item sku='1'>c</item><item sku='2'>x</item></inventory>";

// A main window over an operation whose files, format specifications and
// settings all live in temporary places.
class MainWindowTest : public CWidgetTest {
protected:
    static void SetUpTestSuite() {
        CWidgetTest::SetUpTestSuite();
        ASSERT_EQ(NSys::StartJobThreads(1), NResult::kOk);
    }
    static void TearDownTestSuite() { NSys::StopJobThreads(); }

    void SetUp() override {
        FormatsTest::WriteTextFile(m_formatsFolder.Path() / "inventory.qmfmt",
                                   "<file name='inventory' filenames='*.xml' root='inventory'>"
                                   "<element name='item'><attribute name='sku'/></element></file>");
        m_formats.LoadFrom(m_formatsFolder.Folder().c_str());
        m_flags.Load(NSettings::kDefaultFlags);
        for (const auto& [name, text] :
             {std::pair{"base.xml", kBase}, {"left.xml", kLeft}, {"right.xml", kRight}})
            FormatsTest::WriteTextFile(m_files.Path() / name, text);
    }

    std::filesystem::path File(const char* name) const { return m_files.Path() / name; }

    // A window with the files named as on the command line, loaded.
    std::unique_ptr<CMainWnd> Loaded(bool merge, bool threeWay) {
        m_flags.Change(NSettings::kFlagMerge, merge);
        m_flags.Change(NSettings::kFlagThreeWay, threeWay);
        m_operation.files[kSideBase].SetPath(threeWay ? FormatsTest::U16(File("base.xml")).c_str()
                                                      : u"");
        m_operation.files[kSideLeft].SetPath(FormatsTest::U16(File("left.xml")).c_str());
        m_operation.files[kSideRight].SetPath(FormatsTest::U16(File("right.xml")).c_str());
        auto window = std::make_unique<CMainWnd>(m_operation, m_resultPath, m_reportPath);
        EXPECT_TRUE(window->StartOperation(false));
        return window;
    }

    // Picks `path` in the next file dialog, noting the dialog's title.
    static void ChooseInFileDialog(const std::filesystem::path& path, QString& title) {
        WhenModal([path, &title](QDialog& dialog) {
            auto* files = qobject_cast<QFileDialog*>(&dialog);
            ASSERT_NE(files, nullptr);
            title = files->windowTitle();
            files->selectFile(QString::fromStdString(path.string()));
            dialog.accept();
        });
    }

    QString LastMessage() const {
        return m_prompts.messages.empty()
                   ? QString()
                   : QString::fromStdU16String(m_prompts.messages.back().text);
    }

    NSettings::CMemoryBackend m_settings;
    NSettings::CScopedBackend m_backend{m_settings};
    FormatsTest::CTempFolder m_formatsFolder;
    FormatsTest::CTempFolder m_files;
    FormatsTest::CScriptedPrompts m_prompts;
    CFormatList m_formats;
    NSettings::CFlags m_flags;
    NSettings::CRecentFiles m_recentFiles;
    COperation m_operation{m_flags, m_formats, &m_recentFiles};
    CMainWnd::CPath m_resultPath;
    CMainWnd::CPath m_reportPath;
};
