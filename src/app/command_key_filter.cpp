#include "app/command_key_filter.h"

#include "app/command_table.h"
#include "app/virtual_key.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWheelEvent>

namespace NCommands {

namespace {

// Widgets that use keys and the wheel themselves.
bool HasOwnInput(const QWidget& widget) {
    return qobject_cast<const QLineEdit*>(&widget) != nullptr ||
           qobject_cast<const QTextEdit*>(&widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(&widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(&widget) != nullptr ||
           qobject_cast<const QComboBox*>(&widget) != nullptr ||
           qobject_cast<const QMenuBar*>(&widget) != nullptr ||
           qobject_cast<const QMenu*>(&widget) != nullptr;
}

} // namespace

CCommandKeyFilter::CCommandKeyFilter(QWidget& mainWindow, ICommandTarget& target,
                                     std::vector<NString::NTranslator::SAccelerator> keyTable)
    : m_mainWindow(mainWindow), m_target(target), m_keyTable(std::move(keyTable)) {
    QCoreApplication::instance()->installEventFilter(this);
}

CCommandKeyFilter::~CCommandKeyFilter() {
    QCoreApplication::instance()->removeEventFilter(this);
}

void CCommandKeyFilter::SetView(QWidget* view) {
    m_view = view;
}

void CCommandKeyFilter::SetKeyTable(std::vector<NString::NTranslator::SAccelerator> keyTable) {
    m_keyTable = std::move(keyTable);
}

bool CCommandKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* receiver = qobject_cast<QWidget*>(watched);
    if (receiver == nullptr || !IsPlainPane(*receiver))
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return TakeKey(*receiver, static_cast<const QKeyEvent&>(*event));
    case QEvent::Wheel:
        return RedirectWheel(*receiver, static_cast<const QWheelEvent&>(*event));
    default:
        return false;
    }
}

bool CCommandKeyFilter::IsPlainPane(const QWidget& widget) const {
    if (widget.window() != &m_mainWindow)
        return false;
    for (const QWidget* pane = &widget; pane != &m_mainWindow; pane = pane->parentWidget()) {
        if (HasOwnInput(*pane))
            return false;
    }
    return true;
}

bool CCommandKeyFilter::IsInView(const QWidget* widget) const {
    return widget != nullptr && m_view != nullptr &&
           (widget == m_view || m_view->isAncestorOf(widget));
}

bool CCommandKeyFilter::TakeKey(QWidget& receiver, const QKeyEvent& event) {
    // A key that the focused widget passes on to its parents was looked up
    // already when it reached the focused widget.
    const QWidget* focus = QApplication::focusWidget();
    if (&receiver != (focus != nullptr ? focus : &m_mainWindow))
        return false;
    const std::uint32_t command =
        LookUpKey(m_keyTable, KeyWord(event.key(), event.modifiers()), IsInView(focus));
    if (command == 0)
        return false;
    if (m_target.IsCommandEnabled(command))
        m_target.RunCommand(command);
    return true;
}

bool CCommandKeyFilter::RedirectWheel(QWidget& receiver, const QWheelEvent& event) {
    if (m_redirecting || m_view == nullptr || IsInView(&receiver))
        return false;
    QWheelEvent redirected(m_view->mapFromGlobal(event.globalPosition()), event.globalPosition(),
                           event.pixelDelta(), event.angleDelta(), event.buttons(),
                           event.modifiers(), event.phase(), event.inverted(), event.source(),
                           event.pointingDevice());
    m_redirecting = true;
    QCoreApplication::sendEvent(m_view, &redirected);
    m_redirecting = false;
    return true;
}

} // namespace NCommands
