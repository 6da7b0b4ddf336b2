#include "framework/window/base_dialog.h"

#include "framework/window/help_page.h"
#include "translation/translator.h"

#include <QKeyEvent>
#include <QMetaObject>

namespace NWindows {

namespace {

// The property that holds what a control shows as its text.
const char* TextProperty(const QObject& control) {
    const QMetaObject& meta = *control.metaObject();
    if (meta.indexOfProperty("text") >= 0)
        return "text";
    if (meta.indexOfProperty("title") >= 0)
        return "title";
    return nullptr;
}

} // namespace

QString TranslatedText(const char* key) {
    return QString::fromUtf16(NString::NTranslator::Text(key).Text());
}

QString ControlName(int control) {
    return QStringLiteral("ctl") + QString::number(control);
}

CBaseDialog::CBaseDialog(std::span<const SControlText> texts, QString helpPage, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_helpPage(std::move(helpPage)) {}

void CBaseDialog::ShowHelp() const {
    if (!m_helpPage.isEmpty())
        OpenHelpPage(m_helpPage);
}

void ApplyControlTexts(QWidget& root, std::span<const SControlText> texts) {
    for (const SControlText& line : texts) {
        if (line.control == kDialogTitle) {
            root.setWindowTitle(TranslatedText(line.key));
            continue;
        }
        QWidget* control = root.findChild<QWidget*>(ControlName(line.control));
        if (control == nullptr)
            continue;
        if (const char* property = TextProperty(*control))
            control->setProperty(property, TranslatedText(line.key));
    }
}

void CBaseDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::HelpContents) && !m_helpPage.isEmpty()) {
        ShowHelp();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace NWindows
