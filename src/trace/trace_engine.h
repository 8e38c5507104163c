#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>

#include "base/task_pool.h"
#include "platform/prober.h"
#include "trace/hop_lookup.h"
#include "trace/probe_schedule.h"
#include "trace/trace_sink.h"

namespace hoplot {

// What a trace engine works with: where its prober comes from, its look-ups and its probing.
struct engine_parts {
    std::function<prober_opening(const ip_address& destination)> open_prober;
    std::shared_ptr<hop_lookup> lookup;
    probe_settings settings;
};

// The real prober and look-ups, with the given probing.
engine_parts system_engine_parts(probe_settings settings = {});

// Traces the route to a destination on a worker thread, one trace at a time, and tells the sink
// what it finds, hop by hop in TTL order. The hops' names and positions are looked up on a pool
// of its own, several at once.
class trace_engine {
  public:
    trace_engine(trace_sink& sink, engine_parts parts);
    // Stops a running trace and waits for its worker and its look-ups, which give up at once: no
    // look-up runs once the engine is gone.
    ~trace_engine();
    trace_engine(const trace_engine&) = delete;
    trace_engine& operator=(const trace_engine&) = delete;

    // Called on the thread that owns the store while no trace runs: the start steps, then the
    // worker. Returns at once. A name with addresses of both families is traced over `family`;
    // hops are placed by `sources` for the whole trace.
    void start_trace(const std::string& destination,
                     address_family family = address_family::automatic,
                     location_sources sources = {});
    // Asks the running trace to end; it does within 100 ms and without "Done", in every phase:
    // the destination's name look-up is not waited for either.
    void stop_trace();
    // False from just before the trace-ended call on.
    bool running() const { return running_; }
    // Waits for the worker of the last trace to end.
    void join();

  private:
    // What one trace works with; its worker and its look-ups share it.
    struct trace_job {
        std::string destination;
        address_family family;
        std::shared_ptr<const location_sources> sources;
        std::stop_token stop;
    };

    void run(const trace_job& job);
    void probe(const trace_job& job, const ip_address& address, prober& probes);
    void finish();

    trace_sink& sink_;
    engine_parts parts_;
    std::stop_source stop_;
    std::atomic<bool> running_ = false;
    std::uint16_t next_sequence_;
    task_pool lookups_;
    std::thread worker_;
};

} // namespace hoplot
