#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "formats/spec_selection.h"
#include "framework/buffer.h"
#include "framework/result.h"
#include "prompts/create_spec_dialog.h"
#include "prompts/qt_prompts.h"
#include "qt_test_support.h"
#include "xml/doc.h"

#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

using PromptsTest::CWhenOpened;

namespace {

using CoreQuestions = PromptsTest::CWidgetTest;

std::unique_ptr<NXML::CDoc> Parse(std::string_view text) {
    auto document = std::make_unique<NXML::CDoc>();
    NIO::TBuffer<0> stream;
    stream.Borrow(text.data(), text.size());
    EXPECT_EQ(document->Parse(stream), NResult::kOk);
    return document;
}

} // namespace

// The load job's thread asks whether to create a specification and then for
// its name; each question is answered on the user-interface thread, owned by
// the load's window, while the job stays blocked however long the user takes.
TEST_F(CoreQuestions, ANewSpecificationIsCreatedThroughTheDialogsFromTheLoadThread) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    CFormatList library;
    library.LoadFrom(folder.path().toStdU16String().c_str());
    const auto left = Parse("<orders><order id='1'/></orders>");
    const auto right = Parse("<orders><order id='2' state='x'/></orders>");
    const SInputFile files[] = {{left.get(), u"/in/left.ord"}, {right.get(), u"/in/right.ord"}};

    QWidget owner;
    std::atomic<bool> returned{false};
    std::vector<QMessageBox::Icon> boxes;
    CWhenOpened<QMessageBox> answerBoxes([&](QMessageBox& box) {
        boxes.push_back(box.icon());
        if (box.icon() == QMessageBox::Question) {
            EXPECT_EQ(box.parentWidget(), &owner);
            EXPECT_EQ(box.thread(), owner.thread());
            QTest::qWait(100);
            EXPECT_FALSE(returned.load());
            box.button(QMessageBox::Yes)->click();
        } else {
            box.accept();
        }
    });
    CWhenOpened<CCreateSpecDialog> create([&](CCreateSpecDialog& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &owner);
        dialog.findChild<QLineEdit*>("ctl1054")->setText("Order book");
        dialog.findChild<QLineEdit*>("ctl1057")->setText(" *.ORD , Book*.Xml ");
        dialog.findChild<QPushButton*>("ctl1")->click();
    });

    CQtPrompts prompts;
    const NPrompts::CScopedPrompts installed(prompts);
    QEventLoop loop;
    CFileSpec* created = nullptr;
    std::thread job([&] {
        created = FindSpecForOperation(library, SOperationFiles{files, true}, &owner);
        returned = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    job.join();

    EXPECT_EQ(boxes,
              (std::vector<QMessageBox::Icon>{QMessageBox::Question, QMessageBox::Information}));
    EXPECT_EQ(create.Count(), 1);
    ASSERT_NE(created, nullptr);
    EXPECT_STREQ(created->name.Text(), "Order book");
    EXPECT_STREQ(created->root.Text(), "orders");
    EXPECT_EQ(QDir(folder.path()).entryList({"*.qmfmt"}), QStringList{"Order book.qmfmt"});
}
