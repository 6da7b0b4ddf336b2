#include "framework/window/base_dialog.h"
#include "prompts/choose_spec_dialog.h"
#include "prompts/create_spec_dialog.h"
#include "prompts/qt_prompts.h"
#include "qt_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <vector>

using PromptsTest::CWhenOpened;

namespace {

using SpecDialogs = PromptsTest::CWidgetTest;

// The control of `dialog` named `name`. A missing one ends the test program:
// the callers run inside Qt's event handlers, which no exception may leave.
template <typename Widget> Widget& Control(QWidget& dialog, const char* name) {
    auto* control = dialog.findChild<Widget*>(name);
    if (control == nullptr) {
        std::fprintf(stderr, "no control %s\n", name);
        std::abort();
    }
    return *control;
}

QStringList Lines(const QListWidget& list) {
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines << list.item(row)->text();
    return lines;
}

QString SelectedLine(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.size() == 1 ? selected.front()->text() : QString();
}

} // namespace

// The candidates are listed by name ignoring case with the offered one
// selected; OK answers the selected candidate's index, a double click the
// clicked one's, Cancel -1 whatever is selected.
TEST_F(SpecDialogs, ChoosingAnswersTheIndexOfTheCandidateOrMinusOneOnCancel) {
    enum class EAction { Ok, Cancel, PickThenOk, DoubleClick };
    struct SCase {
        int suggested;
        EAction action;
        int row;
        QString selected;
        int answer;
    };
    const char* names[] = {"orders", "Archive", "billing", "archive"};
    const QStringList sorted = {"Archive", "archive", "billing", "orders"};
    const SCase cases[] = {
        {-1, EAction::Ok, 0, "Archive", 1},         {2, EAction::Ok, 0, "billing", 2},
        {7, EAction::Ok, 0, "Archive", 1},          {0, EAction::Cancel, 0, "orders", -1},
        {-1, EAction::PickThenOk, 1, "Archive", 3}, {-1, EAction::DoubleClick, 3, "Archive", 0},
    };
    CQtPrompts prompts;
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "suggested " << c.suggested << ", action " << static_cast<int>(c.action));
        CWhenOpened<CChooseSpecDialog> answer([&](CChooseSpecDialog& dialog) {
            EXPECT_EQ(Control<QLabel>(dialog, "ctl1026").text(), "Pick <one> & go");
            auto& list = Control<QListWidget>(dialog, "ctl1032");
            EXPECT_EQ(Lines(list), sorted);
            EXPECT_EQ(SelectedLine(list), c.selected);
            auto& ok = Control<QPushButton>(dialog, "ctl1");
            switch (c.action) {
            case EAction::Ok:
                ok.click();
                break;
            case EAction::Cancel:
                Control<QPushButton>(dialog, "ctl2").click();
                break;
            case EAction::PickThenOk:
                list.setCurrentRow(c.row);
                ok.click();
                break;
            case EAction::DoubleClick: {
                const QPoint at = list.visualItemRect(list.item(c.row)).center();
                QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
            } break;
            }
        });
        EXPECT_EQ(prompts.ChooseFileSpec(nullptr, {u"Pick <one> & go", names, c.suggested}),
                  c.answer);
        EXPECT_EQ(answer.Count(), 1);
    }
}

TEST_F(SpecDialogs, ChoosingAllowsOkOnlyWithALineSelected) {
    const char* names[] = {"b", "a"};
    CChooseSpecDialog dialog(nullptr, {u"?", names, -1});
    auto& ok = Control<QPushButton>(dialog, "ctl1");
    EXPECT_TRUE(ok.isEnabled());
    Control<QListWidget>(dialog, "ctl1032").clearSelection();
    EXPECT_FALSE(ok.isEnabled());
    EXPECT_EQ(dialog.Selected(), -1);

    CChooseSpecDialog empty(nullptr, {u"?", {}, -1});
    EXPECT_FALSE(Control<QPushButton>(empty, "ctl1").isEnabled());
}

// The name and wildcards offered come from the request; OK is enabled only
// while the name is not empty, and Enter does nothing while it is.
TEST_F(SpecDialogs, CreationOffersANameAndWildcardAndNeedsAName) {
    struct SCase {
        NPrompts::SSpecRequest request;
        QString name;
        QString wildcards;
    };
    const SCase cases[] = {
        {{"orders", u"/in.d/a.XML", u"f/", "orders-2"}, "orders-2", "*.XML"},
        {{"orders", u"/in.d/a", u"f/", ""}, "orders", "*."},
        {{"", u"b.ui", u"f/", ""}, "", "*.ui"},
    };
    for (const SCase& c : cases) {
        CCreateSpecDialog dialog(nullptr, c.request);
        auto& name = Control<QLineEdit>(dialog, "ctl1054");
        auto& ok = Control<QPushButton>(dialog, "ctl1");
        EXPECT_EQ(name.text(), c.name);
        EXPECT_EQ(Control<QLineEdit>(dialog, "ctl1057").text(), c.wildcards);
        EXPECT_EQ(ok.isEnabled(), !c.name.isEmpty()) << c.name.toStdString();
        name.clear();
        EXPECT_FALSE(ok.isEnabled());
        QTest::keyClicks(&name, "x");
        EXPECT_TRUE(ok.isEnabled());
    }

    CWhenOpened<CCreateSpecDialog> pressEnter([](CCreateSpecDialog& dialog) {
        auto& name = Control<QLineEdit>(dialog, "ctl1054");
        name.clear();
        QTest::keyClick(&name, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "Enter with an empty name closed the dialog";
        dialog.reject();
    });
    NPrompts::SNewSpec created;
    EXPECT_FALSE(CQtPrompts().CreateFileSpec(nullptr, {"r", u"a.xml", u"f/", ""}, created));
    EXPECT_EQ(pressEnter.Count(), 1);
}

// OK tells how to edit the new specification, then answers the fields as
// typed (the library splits and lower-cases the wildcards); Cancel answers
// nothing.
TEST_F(SpecDialogs, CreationAnswersTheFieldsAsTypedAfterSayingHowToEdit) {
    for (const bool accept : {true, false}) {
        SCOPED_TRACE(accept ? "OK" : "Cancel");
        std::vector<QString> told;
        CWhenOpened<QMessageBox> acknowledge([&](QMessageBox& box) {
            EXPECT_EQ(box.icon(), QMessageBox::Information);
            told.push_back(box.text());
            box.accept();
        });
        CWhenOpened<CCreateSpecDialog> fill([accept](CCreateSpecDialog& dialog) {
            Control<QLineEdit>(dialog, "ctl1054").setText("Orders \xC3\xA9");
            Control<QLineEdit>(dialog, "ctl1057").setText(" *.ORD , *.Xml ");
            Control<QPushButton>(dialog, accept ? "ctl1" : "ctl2").click();
        });
        NPrompts::SNewSpec created;
        created.name = "untouched";
        EXPECT_EQ(CQtPrompts().CreateFileSpec(nullptr, {"orders", u"a.xml", u"f/", ""}, created),
                  accept);
        EXPECT_EQ(fill.Count(), 1);
        EXPECT_STREQ(created.name.Text(), accept ? "Orders \xC3\xA9" : "untouched");
        EXPECT_STREQ(created.wildcards.Text(), accept ? " *.ORD , *.Xml " : "");
        EXPECT_EQ(told, accept ? std::vector<QString>{NWindows::TranslatedText(
                                     "CreateSpec.HowToEditYourSpec")}
                               : std::vector<QString>{});
    }
}
