#include "framework/window/dialog_owner.h"

#include <QDialog>
#include <QWidget>
#include <gtest/gtest.h>

using NWindows::DialogOwner;

namespace {

TEST(DialogOwner, DialogBelongsToTheWindowOnlyWhileItIsShown) {
    QWidget window;
    struct SCase {
        QWidget* window;
        bool shown;
        QWidget* owner;
    };
    const SCase cases[] = {
        {&window, false, nullptr}, {&window, true, &window}, {nullptr, false, nullptr}};
    for (const SCase& test : cases) {
        window.setVisible(test.shown);
        QDialog dialog(DialogOwner(test.window));
        EXPECT_EQ(dialog.parentWidget(), test.owner) << test.shown;
    }
}

} // namespace
