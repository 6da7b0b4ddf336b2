#pragma once

// The application object and the English texts that the widget tests need,
// and a way to act on a modal dialog once it has opened.

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

// One application object for the whole test program, drawing off screen
// when no platform is chosen, with the built-in English texts loaded.
inline QApplication& Application() {
    static int argc = 1;
    static char name[] = "quillmere_prompts_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication made(argc, argv);
        return &made;
    }();
    return *application;
}

class CWidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Application();
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
