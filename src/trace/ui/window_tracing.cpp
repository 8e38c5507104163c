#include "trace/ui/window_tracing.h"

#include "base/settings.h"

namespace hoplot {

void window_tracing::ending_controls::trace_ended() {
    running_ = false;
    controls_.trace_ended();
}

window_tracing::window_tracing(trace_store& store, trace_controls& controls, engine_parts parts)
    : controls_(controls, running_), sink_(store, controls_),
      relay_(sink_,
             [this](std::function<void()> call) {
                 QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
             }),
      engine_(relay_, std::move(parts)) {}

void window_tracing::start(const std::string& destination) {
    if (running_) return;
    running_ = true;
    engine_.start_trace(destination, static_cast<address_family>(app_settings().address_family));
}

void window_tracing::stop() {
    engine_.stop_trace();
}

} // namespace hoplot
