#include "app/command_key_filter.h"
#include "app/command_table.h"
#include "app/virtual_key.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace NCommands;

namespace {

// Runs the commands it is asked to and records them; `disabled` ones are
// refused by the enabling rule.
class CRecordingTarget final : public ICommandTarget {
public:
    bool IsCommandEnabled(std::uint32_t command) const override {
        return disabled.count(command) == 0;
    }
    void RunCommand(std::uint32_t command) override { ran.push_back(command); }

    std::set<std::uint32_t> disabled;
    std::vector<std::uint32_t> ran;
};

// A pane that counts the key presses and wheel turns it gets.
class CPane final : public QWidget {
public:
    explicit CPane(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

    int keys = 0;
    int wheels = 0;

protected:
    // QTest presses the modifier keys too; those are not counted.
    void keyPressEvent(QKeyEvent* event) override {
        if (KeyWord(event->key(), Qt::NoModifier) != 0)
            ++keys;
        QWidget::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent* event) override {
        ++wheels;
        // Passed on to the parents, as a view at the end of its range does.
        event->ignore();
    }
};

void TurnWheel(QWidget& widget) {
    const QPointF inside(5, 5);
    QWheelEvent event(inside, widget.mapToGlobal(inside), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

// A main window stand-in with an overview pane, a document view and a text
// field, shown and active, and a dialog of its own.
class CommandKeyFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        overview = new CPane(&window);
        view = new CPane(&window);
        field = new QLineEdit(u"abc"_qs, &window);
        layout->addWidget(overview);
        layout->addWidget(view);
        layout->addWidget(field);
        filter.SetView(view);
        window.resize(300, 300);
        Activate(window);
    }

    static void Activate(QWidget& top) {
        top.show();
        top.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&top] { return QApplication::activeWindow() == &top; }));
    }

    static void Focus(QWidget& widget) {
        widget.setFocus();
        ASSERT_EQ(QApplication::focusWidget(), &widget);
    }

    QWidget window;
    CPane* overview = nullptr;
    CPane* view = nullptr;
    QLineEdit* field = nullptr;
    CRecordingTarget target;
    CCommandKeyFilter filter{window, target, DefaultKeyTable()};
};

TEST_F(CommandKeyFilterTest, RunsTheCommandsOfKeysTypedInTheMainWindowsPanes) {
    // Which key a pane gives is the key table's business; these cases cover
    // the filter's choice of focus, the enabling rule, and what it leaves to
    // the pane.
    const struct {
        bool focusInView;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::vector<std::uint32_t> ran;
        bool paneGetsKey;
    } cases[] = {
        {true, Qt::Key_Down, Qt::AltModifier, {kViewNextDiff}, false},
        {false, Qt::Key_Down, Qt::AltModifier, {kViewNextDiff}, false},
        {true, Qt::Key_Down, Qt::ControlModifier | Qt::AltModifier, {}, true},
        {false, Qt::Key_Down, Qt::NoModifier, {kScrollLineDown}, false},
        {true, Qt::Key_Down, Qt::NoModifier, {}, true},
        // A disabled command does nothing and keeps its key from the pane.
        {true, Qt::Key_B, Qt::ShiftModifier | Qt::AltModifier, {}, false},
        {true, Qt::Key_L, Qt::ShiftModifier | Qt::AltModifier, {kEditResolveLeft}, false},
    };
    target.disabled = {kEditResolveBase};
    for (const auto& test : cases) {
        CPane& pane = test.focusInView ? *view : *overview;
        Focus(pane);
        target.ran.clear();
        pane.keys = 0;
        QTest::keyClick(&pane, test.key, test.modifiers);
        SCOPED_TRACE(::testing::Message()
                     << "key 0x" << std::hex << test.key << " modifiers 0x"
                     << test.modifiers.toInt() << " in view " << test.focusInView);
        EXPECT_EQ(target.ran, test.ran);
        EXPECT_EQ(pane.keys, test.paneGetsKey ? 1 : 0);
    }
}

TEST_F(CommandKeyFilterTest, LeavesKeysOfTextFieldsToThem) {
    Focus(*field);
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(target.ran.empty());
    EXPECT_EQ(field->selectedText(), u"abc"_qs);
}

TEST_F(CommandKeyFilterTest, LeavesKeysAndTheWheelOfDialogsToThem) {
    QDialog dialog(&window);
    auto* dialogPane = new CPane(&dialog);
    Activate(dialog);
    Focus(*dialogPane);
    QTest::keyClick(dialogPane, Qt::Key_F5);
    QTest::keyClick(dialogPane, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(dialogPane->keys, 2);
    EXPECT_TRUE(target.ran.empty());
    TurnWheel(*dialogPane);
    EXPECT_EQ(dialogPane->wheels, 1);
    EXPECT_EQ(view->wheels, 0);
}

TEST_F(CommandKeyFilterTest, LeavesKeysOfOpenMenusToThem) {
    Focus(*overview);
    QMenu menu(&window);
    QAction* first = menu.addAction(u"First"_qs);
    QAction* second = menu.addAction(u"Second"_qs);
    menu.popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.setActiveAction(first);
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_F5);
    EXPECT_EQ(menu.activeAction(), second);
    EXPECT_TRUE(target.ran.empty());
}

TEST_F(CommandKeyFilterTest, ATranslatedKeyTableReplacesTheDefaultKeys) {
    filter.SetKeyTable({{kKeyCtrl | kVkDown, kViewNextDiff}});
    Focus(*view);
    QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(view, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(target.ran, std::vector<std::uint32_t>{kViewNextDiff});
    EXPECT_EQ(view->keys, 1);
}

TEST_F(CommandKeyFilterTest, SendsTheWheelOverTheMainWindowsPanesToTheView) {
    const struct {
        const char* where;
        QWidget* receiver;
        int viewWheels;
        int overviewWheels;
    } cases[] = {
        {"overview", overview, 1, 0},
        {"window", &window, 1, 0},
        {"text field", field, 0, 0},
    };
    for (const auto& test : cases) {
        view->wheels = 0;
        overview->wheels = 0;
        TurnWheel(*test.receiver);
        EXPECT_EQ(view->wheels, test.viewWheels) << test.where;
        EXPECT_EQ(overview->wheels, test.overviewWheels) << test.where;
    }
    // Without a view the pane keeps its wheel.
    filter.SetView(nullptr);
    TurnWheel(*overview);
    EXPECT_EQ(overview->wheels, 1);
}

} // namespace
