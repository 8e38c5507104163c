#include "trace/store_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "trace/sink_relay.h"
#include "trace/store_recorder.h"

namespace hoplot {
namespace {

using testing::fake_places;
using testing::store_recorder;

// A store with its recorder, and controls that log into the same recorder so that both orders
// can be compared.
struct sink_fixture : trace_controls {
    fake_places places;
    trace_store store{places.resolver()};
    store_recorder log;
    store_sink sink{store, *this};
    sink_fixture() { store.add_observer(log); }

    void set_status_text(const std::string& text) override {
        log.events.push_back("status " + text);
    }
    void trace_started() override { log.events.push_back("controls started"); }
    void trace_ended() override { log.events.push_back("controls ended"); }
};

// One engine trace as the worker reports it: an early time-out, then hops.
void run_trace(trace_sink& sink, const std::string& destination,
               const std::vector<std::string>& addresses) {
    using namespace trace_events;
    sink.handle(begin{destination});
    sink.handle(status{"Tracing"});
    sink.handle(started{});
    sink.handle(traces_changed{});
    sink.handle(status_row{timed_out_text, red});
    sink.handle(first_answer{destination});
    for (const std::string& address : addresses)
        sink.handle(traced_hop{testing::hop("h" + address, address), {}});
    sink.handle(status_row{done_text, blue});
    sink.handle(status{"Ready"});
    sink.handle(end{});
    sink.handle(ended{});
}

TEST(store_sink, stores_rows_from_the_first_hop_selects_the_new_trace_s_line_never_errors) {
    sink_fixture f;
    run_trace(f.sink, "a.example", {"10.0.0.1", "10.0.0.2"});
    EXPECT_FALSE(f.store.traces_saved());
    ASSERT_EQ(f.store.trace_count(), 1);
    ASSERT_EQ(f.store.traces()[0].rows.size(), 3u); // the early time-out is shown, not kept
    EXPECT_EQ(f.store.traces()[0].rows[0].name, "h10.0.0.1");
    EXPECT_EQ(f.store.traces()[0].rows[2].name, done_text);
    EXPECT_EQ(f.log.only({"list", "status", "controls"}),
              (std::vector<std::string>{"status Tracing", "list deselect", "controls started",
                                        "list append a.example", "list select 0", "status Ready",
                                        "controls ended"}));
    const auto started = std::find(f.log.events.begin(), f.log.events.end(), "controls started");
    ASSERT_NE(started, f.log.events.end());
    EXPECT_EQ(*(started + 1), "repaint") << "the map is redrawn without a route at the start";

    f.log.events.clear();
    f.store.set_traces_saved(true);
    run_trace(f.sink, "a.ex", {"10.0.0.3"});
    EXPECT_EQ(f.store.trace_count(), 2);
    EXPECT_FALSE(f.store.traces_saved());
    // An older line that begins with the name is not the trace shown.
    EXPECT_EQ(f.log.only({"list"}),
              (std::vector<std::string>{"list deselect", "list append a.ex", "list select 1"}));

    // A trace that fails before probing shows its line and stores nothing.
    f.log.events.clear();
    for (const trace_event& event : std::initializer_list<trace_event>{
             trace_events::begin{"nowhere.example"}, trace_events::started{},
             trace_events::line{"Can't resolve IP name", red}, trace_events::ended{}})
        f.sink.handle(event);
    EXPECT_EQ(f.store.trace_count(), 2);
    EXPECT_EQ(f.log.only({"output"}),
              (std::vector<std::string>{"output line 'Can't resolve IP name' 255"}));
}

TEST(sink_relay, runs_the_worker_s_calls_in_order_when_drained) {
    sink_fixture f;
    sink_relay relay(f.sink);
    std::thread worker([&] {
        run_trace(relay, "a.example", {"10.0.0.1", "10.0.0.2", "10.0.0.3"});
    });
    bool ended = false;
    for (int round = 0; round < 500 && !ended; ++round)
        ended = relay.run_pending(std::chrono::milliseconds(10));
    worker.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(f.log.only({"output"}),
              (std::vector<std::string>{
                  std::string("output line '") + timed_out_text + "' 255",
                  "output hop h10.0.0.1 Unresolved", "output hop h10.0.0.2 Unresolved",
                  "output hop h10.0.0.3 Unresolved", "output line 'Done' 16711680"}));
    EXPECT_EQ(f.log.events.back(), "controls ended");
    EXPECT_EQ(f.store.trace_count(), 1);
}

} // namespace
} // namespace hoplot
