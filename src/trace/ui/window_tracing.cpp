#include "trace/ui/window_tracing.h"

namespace hoplot {

// The worker wakes the GUI thread with a call by name: the events themselves cross in the
// relay's queue, under its lock, never inside an event of Qt's.
window_tracing::window_tracing(trace_store& store, engine_parts parts)
    : sink_(store, *this),
      relay_(sink_,
             [this] { QMetaObject::invokeMethod(this, "deliver_events", Qt::QueuedConnection); }),
      engine_(relay_, std::move(parts)) {}

void window_tracing::start(const std::string& destination, address_family family,
                           location_sources sources) {
    if (running_) return;
    running_ = true;
    engine_.start_trace(destination, family, std::move(sources));
}

void window_tracing::stop() {
    engine_.stop_trace();
}

void window_tracing::deliver_events() {
    relay_.run_pending(std::chrono::milliseconds(0));
}

void window_tracing::set_status_text(const std::string& text) {
    emit status_changed(QString::fromStdString(text));
}

void window_tracing::trace_started() {
    emit started();
}

void window_tracing::trace_ended() {
    running_ = false;
    emit ended();
}

} // namespace hoplot
