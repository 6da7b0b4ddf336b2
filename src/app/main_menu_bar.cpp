#include "app/main_menu_bar.h"

#include "app/command_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace NCommands {

namespace {

using NString::NTranslator::SMenuItem;

QString ItemText(const SMenuItem& item) {
    return QString::fromUtf16(item.text.Text());
}

void RefreshItems(QMenu& menu, const ICommandTarget& target) {
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || action->menu() != nullptr)
            continue;
        const auto command = action->data().toUInt();
        action->setEnabled(target.IsCommandEnabled(command));
        if (action->isCheckable())
            action->setChecked(target.IsCommandChecked(command));
    }
}

void AddItems(QMenu& menu, const std::vector<SMenuItem>& items, ICommandTarget& target);

void AddItem(QMenu& menu, const SMenuItem& item, ICommandTarget& target) {
    if (item.separator) {
        menu.addSeparator();
        return;
    }
    if (!item.submenu.empty()) {
        AddItems(*menu.addMenu(ItemText(item)), item.submenu, target);
        return;
    }
    QAction* action = menu.addAction(ItemText(item));
    action->setData(item.command);
    action->setCheckable(IsToggleCommand(item.command));
    QObject::connect(action, &QAction::triggered, &menu, [&target, command = item.command] {
        if (target.IsCommandEnabled(command))
            target.RunCommand(command);
    });
}

void AddItems(QMenu& menu, const std::vector<SMenuItem>& items, ICommandTarget& target) {
    for (const SMenuItem& item : items)
        AddItem(menu, item, target);
    QObject::connect(&menu, &QMenu::aboutToShow, &menu,
                     [&menu, &target] { RefreshItems(menu, target); });
}

// Walks the actions of a menu (or the bar) beside the items they were made
// from; a separator is an action too.
void RetitleActions(const QList<QAction*>& actions, std::span<const SMenuItem> items) {
    const std::size_t count = std::min(items.size(), static_cast<std::size_t>(actions.size()));
    for (std::size_t index = 0; index < count; ++index) {
        QAction& action = *actions[static_cast<qsizetype>(index)];
        const SMenuItem& item = items[index];
        if (item.separator)
            continue;
        action.setText(ItemText(item));
        if (QMenu* submenu = action.menu())
            RetitleActions(submenu->actions(), item.submenu);
    }
}

} // namespace

void BuildMenuBar(QMenuBar& bar, std::span<const SMenuItem> popups, ICommandTarget& target) {
    for (const SMenuItem& popup : popups)
        AddItems(*bar.addMenu(ItemText(popup)), popup.submenu, target);
}

void RetitleMenuBar(QMenuBar& bar, std::span<const SMenuItem> popups) {
    RetitleActions(bar.actions(), popups);
}

} // namespace NCommands
