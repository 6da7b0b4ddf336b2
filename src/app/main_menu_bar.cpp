#include "app/main_menu_bar.h"

#include "app/command_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

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

} // namespace

void BuildMenuBar(QMenuBar& bar, std::span<const SMenuItem> popups, ICommandTarget& target) {
    for (const SMenuItem& popup : popups)
        AddItems(*bar.addMenu(ItemText(popup)), popup.submenu, target);
}

} // namespace NCommands
