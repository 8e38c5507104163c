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

void sink_relay::begin_trace(const std::string& destination) {
    {
        std::lock_guard lock(mutex_);
        ended_ = false;
    }
    post([this, destination] { target_.begin_trace(destination); });
}
void sink_relay::trace_started() {
    post([this] { target_.trace_started(); });
}
void sink_relay::set_status_text(const std::string& text) {
    post([this, text] { target_.set_status_text(text); });
}
void sink_relay::add_line(const std::string& text, int colour) {
    post([this, text, colour] { target_.add_line(text, colour); });
}
void sink_relay::first_answer(const std::string& destination) {
    post([this, destination] { target_.first_answer(destination); });
}
void sink_relay::add_hop(const traced_hop& hop) {
    post([this, hop] { target_.add_hop(hop); });
}
void sink_relay::add_status_row(const std::string& text, int colour) {
    post([this, text, colour] { target_.add_status_row(text, colour); });
}
void sink_relay::traces_changed() {
    post([this] { target_.traces_changed(); });
}
void sink_relay::end_trace() {
    post([this] { target_.end_trace(); });
}
void sink_relay::trace_ended() {
    post([this] {
        target_.trace_ended();
        std::lock_guard lock(mutex_);
        ended_ = true;
    });
}

} // namespace hoplot
