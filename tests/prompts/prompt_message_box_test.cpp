#include "framework/window/base_dialog.h"
#include "prompts/prompt_message_box.h"
#include "prompts/qt_prompts.h"
#include "qt_test_support.h"
#include "services/prompts.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTest>

using NPrompts::EAnswer;
using NPrompts::EButtons;
using NPrompts::EIcon;
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
// texts; the first button is the default. Asked on the user-interface thread
// itself, the box is shown directly.
TEST_F(MessageBoxes, ShowTheKindsOneToOneAndAnswerTheButtonPressed) {
    using MB = QMessageBox;
    struct SCase {
        EIcon icon;
        EButtons buttons;
        MB::Icon shownIcon;
        QString buttonTexts; // "|" between them
        MB::StandardButton escapeButton;
        // Clicked, or with NoButton `key` is pressed.
        MB::StandardButton click;
        Qt::Key key;
        EAnswer answer;
    };
    const SCase cases[] = {{EIcon::Error, EButtons::Ok, MB::Critical, "OK", MB::Ok, MB::NoButton,
                            Qt::Key_Return, EAnswer::Ok},
                           {EIcon::Information, EButtons::Ok, MB::Information, "OK", MB::Ok,
                            MB::NoButton, Qt::Key_Escape, EAnswer::Ok},
                           {EIcon::Warning, EButtons::OkCancel, MB::Warning, "OK|Cancel",
                            MB::Cancel, MB::NoButton, Qt::Key_Escape, EAnswer::Cancel},
                           {EIcon::Question, EButtons::YesNo, MB::Question, "Yes|No", MB::No,
                            MB::NoButton, Qt::Key_Escape, EAnswer::No},
                           {EIcon::Question, EButtons::YesNoCancel, MB::Question, "Yes|No|Cancel",
                            MB::Cancel, MB::No, Qt::Key_unknown, EAnswer::No}};
    CQtPrompts prompts;
    const char16_t* text = u"<b>not bold</b> & C:\\path";
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "buttons " << static_cast<int>(c.buttons));
        // An empty caption gives the program's name.
        const char16_t* caption = c.icon == EIcon::Information ? u"" : u"Q";
        CWhenOpened<MB> answer([&c, text, caption](MB& box) {
            EXPECT_EQ(box.windowTitle(), *caption != 0 ? QString::fromUtf16(caption)
                                                       : NWindows::TranslatedText("Misc.AppName"));
            EXPECT_EQ(box.text(), QString::fromUtf16(text));
            EXPECT_EQ(box.textFormat(), Qt::PlainText);
            EXPECT_EQ(box.icon(), c.shownIcon);
            EXPECT_EQ(ButtonTexts(box).join(u'|'), c.buttonTexts);
            EXPECT_EQ(box.defaultButton()->text(), c.buttonTexts.section(u'|', 0, 0));
            EXPECT_EQ(box.escapeButton(), box.button(c.escapeButton));
            if (c.click != MB::NoButton)
                box.button(c.click)->click();
            else
                QTest::keyClick(&box, c.key);
        });
        EXPECT_EQ(prompts.ShowMessage(nullptr, text, caption, c.icon, c.buttons), c.answer);
        EXPECT_EQ(answer.Count(), 1);
    }
}
