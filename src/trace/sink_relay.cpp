#include "trace/sink_relay.h"

namespace hoplot {

void sink_relay::handle(const trace_event& event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    queued_.notify_one();
    if (wake_) wake_();
}

bool sink_relay::run_pending(std::chrono::milliseconds wait) {
    std::deque<trace_event> ready;
    {
        std::unique_lock lock(mutex_);
        queued_.wait_for(lock, wait, [this] { return !events_.empty(); });
        ready.swap(events_);
    }
    for (const trace_event& event : ready) {
        target_.handle(event);
        if (std::holds_alternative<trace_events::begin>(event)) ended_ = false;
        if (std::holds_alternative<trace_events::ended>(event)) ended_ = true;
    }
    std::lock_guard lock(mutex_);
    return ended_ && events_.empty();
}

} // namespace hoplot
