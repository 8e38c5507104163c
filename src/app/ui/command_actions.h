#pragma once

#include <QObject>
#include <map>

#include "app/commands.h"
#include "app/menu_state.h"

class QAction;
class QMainWindow;

namespace hoplot {

// The menu bar and the keys, built once from the command table: one QAction per command,
// shared by the menu and the keyboard.
class command_actions : public QObject {
    Q_OBJECT

  public:
    explicit command_actions(QMainWindow& window);

    QAction* action(command_id id) const { return actions_.at(id); }
    // Enables, grays, checks and unchecks every item as the program state says.
    void apply(const program_state& state);

  signals:
    void triggered(hoplot::command_id id);

  private:
    std::map<command_id, QAction*> actions_;
};

} // namespace hoplot
