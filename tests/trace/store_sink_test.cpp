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

class recording_controls : public trace_controls {
  public:
    explicit recording_controls(store_recorder& log) : log_(log) {}
    void set_status_text(const std::string& text) override {
        log_.events.push_back("status " + text);
    }
    void trace_started() override { log_.events.push_back("controls started"); }
    void trace_ended() override { log_.events.push_back("controls ended"); }

  private:
    store_recorder& log_;
};

traced_hop answer(const std::string& name, const std::string& address) {
    return {testing::hop(name, address), {}};
}

// One engine trace as the worker reports it: an early time-out, then hops.
void run_trace(trace_sink& sink, const std::string& destination,
               const std::vector<std::string>& addresses) {
    sink.begin_trace(destination);
    sink.set_status_text("Tracing");
    sink.trace_started();
    sink.traces_changed();
    sink.add_status_row(timed_out_text, red);
    sink.first_answer(destination);
    for (const std::string& address : addresses)
        sink.add_hop(answer("h" + address, address));
    sink.add_status_row(done_text, blue);
    sink.set_status_text("Ready");
    sink.end_trace();
    sink.trace_ended();
}

TEST(store_sink, stores_rows_from_the_first_hop_and_selects_the_first_trace_of_that_name) {
    fake_places places;
    trace_store store(places.resolver());
    store_recorder log;
    store.set_observer(&log);
    recording_controls controls(log);
    store_sink sink(store, controls);

    run_trace(sink, "a.example", {"10.0.0.1", "10.0.0.2"});
    EXPECT_FALSE(store.traces_saved());
    ASSERT_EQ(store.trace_count(), 1);
    ASSERT_EQ(store.traces()[0].rows.size(), 3u); // the early time-out is shown, not kept
    EXPECT_EQ(store.traces()[0].rows[0].name, "h10.0.0.1");
    EXPECT_EQ(store.traces()[0].rows[2].name, done_text);
    EXPECT_EQ(log.only({"list", "status", "controls"}),
              (std::vector<std::string>{"status Tracing", "list deselect", "controls started",
                                        "list append a.example", "list select 0", "status Ready",
                                        "controls ended"}));
    const auto started = std::find(log.events.begin(), log.events.end(), "controls started");
    ASSERT_NE(started, log.events.end());
    EXPECT_EQ(*(started + 1), "repaint") << "the map is redrawn without a route at the start";

    log.events.clear();
    store.set_traces_saved(true);
    run_trace(sink, "A.example", {"10.0.0.3"});
    EXPECT_EQ(store.trace_count(), 2);
    EXPECT_FALSE(store.traces_saved());
    // The line is appended, but the first line beginning with the name is the one selected.
    EXPECT_EQ(log.only({"list"}), (std::vector<std::string>{
                                      "list deselect", "list append A.example", "list select 0"}));
}

TEST(store_sink, error_line_is_shown_and_never_stored) {
    trace_store store(fake_places{}.resolver());
    store_recorder log;
    store.set_observer(&log);
    recording_controls controls(log);
    store_sink sink(store, controls);
    sink.begin_trace("nowhere.example");
    sink.trace_started();
    sink.add_line("Can't resolve IP name", red);
    sink.set_status_text("Ready");
    sink.trace_ended();
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(log.only({"output"}),
              (std::vector<std::string>{"output line 'Can't resolve IP name' 255"}));
}

TEST(sink_relay, runs_the_worker_s_calls_in_order_on_the_draining_thread) {
    fake_places places;
    trace_store store(places.resolver());
    store_recorder log;
    store.set_observer(&log);
    recording_controls controls(log);
    store_sink target(store, controls);
    sink_relay relay(target);

    std::thread worker([&] {
        run_trace(relay, "a.example", {"10.0.0.1", "10.0.0.2", "10.0.0.3"});
    });
    const auto owner = std::this_thread::get_id();
    bool ended = false;
    for (int round = 0; round < 500 && !ended; ++round) {
        ended = relay.run_pending(std::chrono::milliseconds(10));
        EXPECT_EQ(std::this_thread::get_id(), owner);
    }
    worker.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(log.only({"output"}),
              (std::vector<std::string>{
                  std::string("output line '") + timed_out_text + "' 255",
                  "output hop h10.0.0.1 Unresolved", "output hop h10.0.0.2 Unresolved",
                  "output hop h10.0.0.3 Unresolved", "output line 'Done' 16711680"}));
    EXPECT_EQ(log.events.back(), "controls ended");
    EXPECT_EQ(store.trace_count(), 1);
}

} // namespace
} // namespace hoplot
