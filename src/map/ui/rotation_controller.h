#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "map/rotation.h"

class QWidget;

namespace hoplot {

struct map_view;

// Automatic rotation: every tick the view moves a step sideways and the map is redrawn, on the
// GUI thread, until stopped. It keeps the view's rotating flag; Flat Map and Globe may switch
// the view underneath, and the turn goes on with the new view.
class rotation_controller : public QObject {
    Q_OBJECT

  public:
    // redraw: the map window's full redraw.
    rotation_controller(map_view& view, std::function<void()> redraw, QObject* parent = nullptr);

    // Asks for the direction and starts turning; false when the dialog was cancelled or a turn
    // already runs, and then nothing starts.
    bool ask_and_start(QWidget* dialog_parent);
    void start(rotation_direction direction);
    // Takes effect before the next tick.
    void stop();
    bool running() const;

  signals:
    void started();
    void stopped();

  private:
    void tick();

    map_view& view_;
    std::function<void()> redraw_;
    QTimer timer_;
    rotation_direction direction_ = rotation_direction::left;
};

} // namespace hoplot
