#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "trace/trace_sink.h"

namespace hoplot {

// Carries the engine's events from its worker to the thread that owns the store, in order: the
// worker queues them, and that thread hands them on with run_pending.
class sink_relay : public trace_sink {
  public:
    // wake: called on the worker after each event is queued, so that the store's thread runs
    // run_pending soon (the window posts itself a call); without it, that thread waits in
    // run_pending (the command line).
    explicit sink_relay(trace_sink& target, std::function<void()> wake = {})
        : target_(target), wake_(std::move(wake)) {}

    // Hands the queued events on on the calling thread, waiting at most `wait` for the first
    // one. True once the trace's last event (ended) has been handled.
    bool run_pending(std::chrono::milliseconds wait);

    void handle(const trace_event& event) override;

  private:
    trace_sink& target_;
    std::function<void()> wake_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<trace_event> events_;
    bool ended_ = false; // on the store's thread
};

} // namespace hoplot
