#include "trace/sink_relay.h"

namespace hoplot {

void sink_relay::post(std::function<void()> call) {
    if (post_) {
        post_(std::move(call));
        return;
    }
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    posted_.notify_one();
}

bool sink_relay::run_pending(std::chrono::milliseconds wait) {
    std::deque<std::function<void()>> ready;
    {
        std::unique_lock lock(mutex_);
        posted_.wait_for(lock, wait, [this] { return !calls_.empty(); });
        ready.swap(calls_);
    }
    for (auto& call : ready)
        call();
    std::lock_guard lock(mutex_);
    return ended_ && calls_.empty();
}

void sink_relay::handle(const trace_event& event) {
    if (std::holds_alternative<trace_events::begin>(event)) {
        std::lock_guard lock(mutex_);
        ended_ = false;
    }
    post([this, event] {
        target_.handle(event);
        if (!std::holds_alternative<trace_events::ended>(event)) return;
        std::lock_guard lock(mutex_);
        ended_ = true;
    });
}

} // namespace hoplot
