#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "trace/trace_sink.h"

namespace hoplot {

// Carries the engine's calls from its worker to the thread that owns the store, in order. By
// default they are queued and that thread runs them with run_pending (the command line); the
// window hands each to a post function that queues it to its event loop instead.
class sink_relay : public trace_sink {
  public:
    // Must run every call it is given on the store's thread, in the order given.
    using post_function = std::function<void(std::function<void()>)>;

    explicit sink_relay(trace_sink& target) : target_(target) {}
    sink_relay(trace_sink& target, post_function post) : target_(target), post_(std::move(post)) {}

    // Without a post function: runs the queued calls on the calling thread, waiting at most
    // `wait` for the first one. True once the trace's last call (trace_ended) has run.
    bool run_pending(std::chrono::milliseconds wait);

    void begin_trace(const std::string& destination) override;
    void trace_started() override;
    void set_status_text(const std::string& text) override;
    void add_line(const std::string& text, int colour) override;
    void first_answer(const std::string& destination) override;
    void add_hop(const traced_hop& hop) override;
    void add_status_row(const std::string& text, int colour) override;
    void traces_changed() override;
    void end_trace() override;
    void trace_ended() override;

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
