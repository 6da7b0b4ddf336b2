#pragma once

#include "translation/embedded_language.h"
#include "translation/translator.h"

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

// Widget tests get their application from support/qt_test_application.cpp; this
// fixture adds the built-in texts, with the shipped languages listed so a
// test may switch.
class CWidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto languages =
            std::filesystem::path(QUILLMERE_TEST_DATA_DIR).parent_path().parent_path() / "data" /
            "Text";
        ASSERT_EQ(NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource,
                                                   true, languages.u16string().c_str()),
                  1);
    }

    static QString Translated(const char* key) {
        return QString::fromUtf16(NString::NTranslator::Text(key).Text());
    }

    // The control named "ctl<id>" below `parent`; a missing one fails the test.
    template <typename T = QWidget> static T* Control(const QWidget& parent, int id) {
        T* found = parent.findChild<T*>(QStringLiteral("ctl") + QString::number(id));
        EXPECT_NE(found, nullptr) << id;
        return found;
    }

    // Runs `steps` on the modal dialog that opens next and closes it if they
    // leave it open.
    static void WhenModal(std::function<void(QDialog&)> steps) {
        QTimer::singleShot(0, [steps = std::move(steps)] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "no modal dialog";
            steps(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
    }
};
