#pragma once

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

// The application comes from qt_test_application.cpp; this adds the built-in
// English texts.
class CWidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_NE(QApplication::instance(), nullptr);
        ASSERT_EQ(NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource,
                                                   true, u"/nonexistent/quillmere/Text"),
                  1);
    }
};

// Acts once on each modal `Dialog` shown, from the user-interface thread, and
// counts them so that a dialog that never opened fails the test.
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
