#include "map/ui/rotation_controller.h"

#include <utility>

#include "map/map_view.h"
#include "map/ui/rotation_dialog.h"

namespace hoplot {

rotation_controller::rotation_controller(map_view& view, std::function<void()> redraw,
                                         QObject* parent)
    : QObject(parent), view_(view), redraw_(std::move(redraw)) {
    timer_.setInterval(rotation_tick);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &rotation_controller::tick);
}

bool rotation_controller::ask_and_start(QWidget* dialog_parent) {
    if (running()) return false;
    rotation_dialog dialog(dialog_parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    start(dialog.direction());
    return true;
}

void rotation_controller::start(rotation_direction direction) {
    if (running()) return;
    direction_ = direction;
    view_.rotating = true;
    timer_.start();
    emit started();
}

void rotation_controller::stop() {
    if (!running()) return;
    timer_.stop();
    view_.rotating = false;
    emit stopped();
}

bool rotation_controller::running() const {
    return timer_.isActive();
}

// The step comes before the redraw, so the picture always shows the view as it stands.
void rotation_controller::tick() {
    rotate_view(view_, direction_);
    redraw_();
}

} // namespace hoplot
