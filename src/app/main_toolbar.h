#pragma once

#include "app/command_target.h"

#include <QToolBar>
#include <vector>

class QLabel;

namespace NCommands {

// The main window's toolbar: eleven buttons with a separator after Search,
// each running its command through the target, and the label with the
// counts of differences and conflicts.
class CMainToolbar final : public QToolBar {
public:
    CMainToolbar(ICommandTarget& target, QWidget* parent);

    // Enables each button by the target's rules and shows `countText`.
    void Refresh(const QString& countText);
    // Hides the counts while a load runs.
    void HideCount();
    // The tooltips in the language shown.
    void ApplyTexts();

    QString CountText() const;

private:
    ICommandTarget& m_target;
    std::vector<QAction*> m_buttons;
    QLabel* m_count;
    QAction* m_countAction = nullptr;
};

} // namespace NCommands
