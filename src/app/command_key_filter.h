#pragma once

#include "app/command_target.h"
#include "translation/menu_translation.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

class QKeyEvent;
class QWheelEvent;

namespace NCommands {

// The application-wide filter that turns key presses in the main window into
// commands by the key table, and sends the wheel turned over the main
// window's other panes to the document view. Dialogs, menus and text fields
// keep their keys and wheel: only events addressed to the main window and its
// panes are looked at. Installed on the application while it lives. Menu
// items show their shortcuts in their texts but bind no keys themselves, so
// that this table alone decides.
class CCommandKeyFilter final : public QObject {
public:
    CCommandKeyFilter(QWidget& mainWindow, ICommandTarget& target,
                      std::vector<NString::NTranslator::SAccelerator> keyTable);
    ~CCommandKeyFilter() override;

    CCommandKeyFilter(const CCommandKeyFilter&) = delete;
    CCommandKeyFilter& operator=(const CCommandKeyFilter&) = delete;

    // The document view, which gets the wheel and decides the keys that apply
    // only outside it; null while there is none.
    void SetView(QWidget* view);
    void SetKeyTable(std::vector<NString::NTranslator::SAccelerator> keyTable);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether `widget` is a pane of the main window that leaves its input to
    // the filter (not a text field or menu of its own).
    bool IsPlainPane(const QWidget& widget) const;
    bool IsInView(const QWidget* widget) const;
    bool TakeKey(QWidget& receiver, const QKeyEvent& event);
    bool RedirectWheel(QWidget& receiver, const QWheelEvent& event);

    QWidget& m_mainWindow;
    ICommandTarget& m_target;
    std::vector<NString::NTranslator::SAccelerator> m_keyTable;
    QPointer<QWidget> m_view;
    // Set while a redirected wheel event is delivered, which the view may
    // pass on to its parents.
    bool m_redirecting = false;
};

} // namespace NCommands
