#include "app/ui/command_actions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace hoplot {

command_actions::command_actions(QMainWindow& window) : QObject(&window) {
    std::map<menu_id, QMenu*> menus;
    for (const command_entry& entry : command_table()) {
        QMenu*& menu = menus[entry.menu];
        if (menu == nullptr) {
            const QString title = QString::fromLatin1(menu_title(entry.menu));
            if (entry.menu == menu_id::map_features) {
                menus[menu_id::view]->addSeparator();
                menu = menus[menu_id::view]->addMenu(title);
            } else {
                menu = window.menuBar()->addMenu(title);
            }
        }
        if (entry.separator_before) menu->addSeparator();
        QAction* action = menu->addAction(QString::fromStdString(menu_text(entry)));
        action->setStatusTip(QString::fromLatin1(entry.tip));
        action->setCheckable(entry.checkable);
        const QKeySequence key(QString::fromLatin1(entry.key));
        if (*entry.shortcut_text != '\0') {
            action->setShortcut(key);
        } else if (!key.isEmpty()) {
            // Bound, but not shown in the menu.
            auto* hidden = new QAction(&window);
            hidden->setShortcut(key);
            window.addAction(hidden);
            connect(hidden, &QAction::triggered, this,
                    [this, id = entry.id] { emit triggered(id); });
        }
        connect(action, &QAction::triggered, this, [this, id = entry.id] { emit triggered(id); });
        actions_[entry.id] = action;
    }
}

void command_actions::apply(const program_state& state) {
    for (const auto& [id, action] : actions_) {
        const item_state item = menu_state(id, state);
        action->setEnabled(item.enabled);
        if (action->isCheckable()) action->setChecked(item.checked);
    }
}

} // namespace hoplot
