#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "trace/trace_sink.h"

namespace hoplot {

// Carries the engine's events from its worker to the thread that owns the store, in order. By
// default they are queued and that thread runs them with run_pending (the command line); the
// window hands each to a post function that queues it to its event loop instead.
class sink_relay : public trace_sink {
  public:
    // Must run every call it is given on the store's thread, in the order given.
    using post_function = std::function<void(std::function<void()>)>;

    explicit sink_relay(trace_sink& target) : target_(target) {}
    sink_relay(trace_sink& target, post_function post) : target_(target), post_(std::move(post)) {}

    // Without a post function: hands the queued events on on the calling thread, waiting at
    // most `wait` for the first one. True once the trace's last event (ended) has been handled.
    bool run_pending(std::chrono::milliseconds wait);

    void handle(const trace_event& event) override;

  private:
    void post(std::function<void()> call);

    trace_sink& target_;
    post_function post_;
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> calls_;
    bool ended_ = false;
};

} // namespace hoplot
