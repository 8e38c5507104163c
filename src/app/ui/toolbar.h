#pragma once

#include <QWidget>

#include "app/commands.h"

namespace hoplot {

// The five picture buttons of the panel. Globe, Flat Map, Undo and Start Trace send their
// commands, so the commands' guards apply unchanged; Stop asks for whatever runs to stop.
class toolbar : public QWidget {
    Q_OBJECT

  public:
    explicit toolbar(QWidget* parent = nullptr);

  signals:
    void command_requested(hoplot::command_id id);
    void stop_requested();
};

} // namespace hoplot
