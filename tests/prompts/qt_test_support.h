#pragma once

// The English texts that the widget tests need, and a way to act on a modal
// dialog once it has opened.

#include "translation/embedded_language.h"
#include "translation/translator.h"

#include <QApplication>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace PromptsTest {

// The tests of this program run with one application object, made before the
// first test and destroyed after the last (qt_test_application.cpp), and the
// built-in English texts.
class CWidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_NE(QApplication::instance(), nullptr);
        ASSERT_EQ(NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource,
                                                   true, u"/nonexistent/quillmere/Text"),
                  1);
    }
};

// Acts on each modal dialog of type `Dialog` once it is shown, from the
// user-interface thread's event loop. Counts how often it acted, so that a
// dialog that never opened fails the test. Stops looking when destroyed.
template <typename Dialog> class CWhenOpened {
public:
    explicit CWhenOpened(std::function<void(Dialog&)> act) : m_act(std::move(act)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible() || dialog->property(kSeen).toBool())
                return;
            dialog->setProperty(kSeen, true);
            ++m_count;
            m_act(*dialog);
        });
        m_timer.start(5);
    }

    int Count() const { return m_count; }

private:
    static constexpr const char* kSeen = "quillmereTestSeen";

    std::function<void(Dialog&)> m_act;
    QTimer m_timer;
    int m_count = 0;
};

} // namespace PromptsTest
