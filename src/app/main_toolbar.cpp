#include "app/main_toolbar.h"

#include "app/command_table.h"
#include "framework/window/base_dialog.h"
#include "icons/icon_set.h"

#include <QAction>
#include <QLabel>

namespace NCommands {

namespace {

struct SButton {
    EToolbarImage image;
    const char* tooltipKey;
    ECommand command;
};

constexpr SButton kButtons[] = {
    {EToolbarImage::Open, "Toolbar.Open", kFileOpen},
    {EToolbarImage::Reload, "Toolbar.Reload", kFileReload},
    {EToolbarImage::Save, "Toolbar.Save", kFileSave},
    {EToolbarImage::Search, "Toolbar.Search", kViewSearch},
    {EToolbarImage::PreviousDifference, "Toolbar.PrevDiff", kViewPrevDiff},
    {EToolbarImage::NextDifference, "Toolbar.NextDiff", kViewNextDiff},
    {EToolbarImage::PreviousConflict, "Toolbar.PrevConflict", kViewPrevConflict},
    {EToolbarImage::NextConflict, "Toolbar.NextConflict", kViewNextConflict},
    {EToolbarImage::ResolveLeft, "Toolbar.ResolveLeft", kEditResolveLeft},
    {EToolbarImage::ResolveBase, "Toolbar.ResolveBase", kEditResolveBase},
    {EToolbarImage::ResolveRight, "Toolbar.ResolveRight", kEditResolveRight},
};
static_assert(std::size(kButtons) == kToolbarImageCount);

constexpr int kCountLabel = 10000;
// Room between the last button and the counts.
constexpr int kCountIndent = 16;

} // namespace

CMainToolbar::CMainToolbar(ICommandTarget& target, QWidget* parent)
    : QToolBar(parent), m_target(target), m_count(new QLabel(this)) {
    setObjectName(QStringLiteral("toolbar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setContextMenuPolicy(Qt::PreventContextMenu);
    for (const SButton& button : kButtons) {
        QAction* action = addAction(ToolbarIcon(button.image), QString());
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, command = button.command] {
            if (m_target.IsCommandEnabled(command))
                m_target.RunCommand(command);
        });
        m_buttons.push_back(action);
        if (button.command == kViewSearch)
            addSeparator();
    }
    auto* indent = new QWidget(this);
    indent->setFixedWidth(kCountIndent);
    addWidget(indent);
    m_count->setObjectName(NWindows::ControlName(kCountLabel));
    m_countAction = addWidget(m_count);
    m_countAction->setVisible(false);
    ApplyTexts();
}

void CMainToolbar::Refresh(const QString& countText) {
    for (std::size_t index = 0; index < m_buttons.size(); ++index)
        m_buttons[index]->setEnabled(m_target.IsCommandEnabled(kButtons[index].command));
    m_count->setText(countText);
    m_countAction->setVisible(!countText.isEmpty());
}

void CMainToolbar::HideCount() {
    Refresh(QString());
}

void CMainToolbar::ApplyTexts() {
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        const QString text = NWindows::TranslatedText(kButtons[index].tooltipKey);
        m_buttons[index]->setText(text);
        m_buttons[index]->setToolTip(text);
    }
}

QString CMainToolbar::CountText() const {
    return m_count->text();
}

} // namespace NCommands
