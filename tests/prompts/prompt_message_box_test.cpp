#include "prompts/prompt_message_box.h"
#include "prompts/qt_prompts.h"
#include "prompts/translated_text.h"
#include "qt_test_support.h"
#include "services/prompts.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

using NPrompts::EAnswer;
using NPrompts::EButtons;
using NPrompts::EIcon;
using NString::NTranslator::Text;
using PromptsTest::CWhenOpened;

namespace {

using MessageBoxes = PromptsTest::CWidgetTest;

// The standard buttons of `box` with their texts, in the order of `kOrder`.
QStringList ButtonTexts(const QMessageBox& box) {
    static constexpr QMessageBox::StandardButton kOrder[] = {QMessageBox::Ok, QMessageBox::Yes,
                                                             QMessageBox::No, QMessageBox::Cancel};
    QStringList texts;
    for (const QMessageBox::StandardButton standard : kOrder)
        if (const QAbstractButton* button = box.button(standard))
            texts << button->text();
    return texts;
}

} // namespace

// Each kind of box shows its icon and buttons one to one, with translated
// button texts and caption; the first button is the default and answers
// Enter; Esc cancels, says No to a Yes/No question and acknowledges a box
// with OK alone. Asked on the user-interface thread itself, the box is shown
// directly (a blocking call to one's own thread would never return).
TEST_F(MessageBoxes, ShowTheKindsOneToOneAndAnswerTheButtonPressed) {
    struct SCase {
        EIcon icon;
        EButtons buttons;
        const char16_t* caption;
        QMessageBox::Icon shownIcon;
        QStringList buttonTexts;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::StandardButton escapeButton;
        // The button pressed, or with NoButton the key pressed.
        QMessageBox::StandardButton press;
        Qt::Key key;
        EAnswer answer;
    };
    const char16_t* appName = Text("Misc.AppName").Text();
    const SCase cases[] = {
        {EIcon::Error,
         EButtons::Ok,
         appName,
         QMessageBox::Critical,
         {"OK"},
         QMessageBox::Ok,
         QMessageBox::Ok,
         QMessageBox::NoButton,
         Qt::Key_Return,
         EAnswer::Ok},
        {EIcon::Information,
         EButtons::Ok,
         u"",
         QMessageBox::Information,
         {"OK"},
         QMessageBox::Ok,
         QMessageBox::Ok,
         QMessageBox::NoButton,
         Qt::Key_Escape,
         EAnswer::Ok},
        {EIcon::Warning,
         EButtons::OkCancel,
         appName,
         QMessageBox::Warning,
         {"OK", "Cancel"},
         QMessageBox::Ok,
         QMessageBox::Cancel,
         QMessageBox::NoButton,
         Qt::Key_Escape,
         EAnswer::Cancel},
        {EIcon::Warning,
         EButtons::OkCancel,
         appName,
         QMessageBox::Warning,
         {"OK", "Cancel"},
         QMessageBox::Ok,
         QMessageBox::Cancel,
         QMessageBox::Cancel,
         Qt::Key_unknown,
         EAnswer::Cancel},
        {EIcon::Question,
         EButtons::YesNo,
         appName,
         QMessageBox::Question,
         {"Yes", "No"},
         QMessageBox::Yes,
         QMessageBox::No,
         QMessageBox::NoButton,
         Qt::Key_Escape,
         EAnswer::No},
        {EIcon::Question,
         EButtons::YesNo,
         appName,
         QMessageBox::Question,
         {"Yes", "No"},
         QMessageBox::Yes,
         QMessageBox::No,
         QMessageBox::NoButton,
         Qt::Key_Return,
         EAnswer::Yes},
        {EIcon::Question,
         EButtons::YesNoCancel,
         appName,
         QMessageBox::Question,
         {"Yes", "No", "Cancel"},
         QMessageBox::Yes,
         QMessageBox::Cancel,
         QMessageBox::No,
         Qt::Key_unknown,
         EAnswer::No},
        {EIcon::Question,
         EButtons::YesNoCancel,
         appName,
         QMessageBox::Question,
         {"Yes", "No", "Cancel"},
         QMessageBox::Yes,
         QMessageBox::Cancel,
         QMessageBox::NoButton,
         Qt::Key_Escape,
         EAnswer::Cancel},
    };
    CQtPrompts prompts;
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "buttons " << static_cast<int>(c.buttons) << ", press "
                                        << c.press << ", key " << c.key);
        const char16_t* text = u"<b>not bold</b> & C:\\path";
        CWhenOpened<QMessageBox> answer([&c, text](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), TranslatedText("Misc.AppName"));
            EXPECT_EQ(box.text(), QString::fromUtf16(text));
            EXPECT_EQ(box.textFormat(), Qt::PlainText);
            EXPECT_EQ(box.icon(), c.shownIcon);
            EXPECT_EQ(ButtonTexts(box), c.buttonTexts);
            EXPECT_EQ(box.defaultButton(), box.button(c.defaultButton));
            EXPECT_EQ(box.escapeButton(), box.button(c.escapeButton));
            if (c.press != QMessageBox::NoButton)
                box.button(c.press)->click();
            else
                QTest::keyClick(&box, c.key);
        });
        EXPECT_EQ(prompts.ShowMessage(nullptr, text, c.caption, c.icon, c.buttons), c.answer);
        EXPECT_EQ(answer.Count(), 1);
    }
}

// The load job asks from its own thread: the box is made and answered on the
// user-interface thread, owned by the window given, while the job waits.
TEST_F(MessageBoxes, AQuestionFromAWorkerThreadIsAnsweredOnTheUserInterfaceThread) {
    CQtPrompts prompts;
    QWidget owner;
    std::atomic<bool> returned{false};
    QThread* userInterfaceThread = QThread::currentThread();
    CWhenOpened<QMessageBox> answer([&](QMessageBox& box) {
        EXPECT_EQ(QThread::currentThread(), userInterfaceThread);
        EXPECT_EQ(box.thread(), userInterfaceThread);
        EXPECT_EQ(box.parentWidget(), &owner);
        EXPECT_EQ(box.text(), "Create one?");
        // The asking thread stays blocked however long the user takes.
        QTest::qWait(100);
        EXPECT_FALSE(returned.load());
        box.button(QMessageBox::No)->click();
    });
    QEventLoop loop;
    EAnswer answered = EAnswer::Yes;
    std::thread job([&] {
        answered =
            prompts.ShowMessage(&owner, u"Create one?", u"Q", EIcon::Question, EButtons::YesNo);
        returned = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    job.join();
    EXPECT_EQ(answer.Count(), 1);
    EXPECT_TRUE(returned.load());
    EXPECT_EQ(answered, EAnswer::No);
}
