#include <gtest/gtest.h>

#include "trace/store_recorder.h"
#include "trace/trace_store.h"

namespace hoplot {
namespace {

using testing::fake_places;
using testing::hop;
using testing::store_recorder;
using events = std::vector<std::string>;

struct store_with_traces : ::testing::Test {
    fake_places places;
    trace_store store{places.resolver()};
    store_recorder seen;

    store_with_traces() {
        places.positions = {{"1.0.0.1", {10, 10}}, {"2.0.0.1", {20, 20}}, {"3.0.0.1", {30, 30}}};
        store.set_observer(&seen);
        const std::pair<const char*, const char*> traces[] = {
            {"one", "1.0.0.1"}, {"two", "2.0.0.1"}, {"three", "3.0.0.1"}};
        for (const auto& [name, address] : traces) {
            store.begin_trace(name);
            store.add_hop(hop(std::string(name) + "-hop", address), true);
            store.add_status_row(done_text, blue);
            store.end_trace();
        }
        seen.events.clear();
    }
};

TEST_F(store_with_traces, deleting_the_first_while_the_second_is_shown_shows_the_last) {
    store.rebuild_route(1);
    ASSERT_EQ(store.current_trace(), 1u);
    seen.events.clear();
    store.set_traces_saved(true);

    store.delete_trace(0);

    EXPECT_EQ(store.trace_count(), 2);
    EXPECT_EQ(store.traces()[0].name, "two");
    EXPECT_EQ(store.current_trace(), 1u);
    EXPECT_EQ(store.current_route()->places.at(0).points.at(0).label, "three-hop");
    EXPECT_EQ(seen.events,
              (events{"list remove 0", "repaint", "output cleared",
                      "output hop three-hop at 3.0.0.1", "output line 'Done' 16711680"}));
    EXPECT_FALSE(store.traces_saved());
}

TEST_F(store_with_traces, deleting_the_only_trace_empties_map_and_output) {
    store.delete_trace(2);
    store.delete_trace(1);
    seen.events.clear();
    store.delete_trace(0);
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(store.current_route(), nullptr);
    EXPECT_EQ(seen.events, (events{"list remove 0", "repaint", "output cleared"}));
}

TEST_F(store_with_traces, clearing_empties_everything_but_keeps_the_saved_flag) {
    store.set_traces_saved(false);
    store.clear_traces();
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(store.current_route(), nullptr);
    EXPECT_FALSE(store.traces_saved());
    EXPECT_EQ(seen.events, (events{"output cleared", "list cleared"}));

    // The trace that was being built is gone: a late status line is shown, not stored.
    store.add_status_row(done_text, blue);
    EXPECT_EQ(store.trace_count(), 0);
}

TEST_F(store_with_traces, rebuilding_resolves_every_hop_anew) {
    // A trace of two places; then the user fixes the second hop onto the first's position.
    store.begin_trace("four");
    store.add_hop(hop("x", "1.0.0.1"), true);
    store.add_status_row(timed_out_text, red);
    store.add_hop(hop("y", "4.0.0.1"), true);
    store.add_hop(hop("z", "2.0.0.1"), true);
    store.end_trace();
    ASSERT_EQ(store.current_route()->places.size(), 2u);
    EXPECT_EQ(store.traces()[3].rows[2].location, unresolved_text);

    places.positions["4.0.0.1"] = {10, 10};
    places.positions["2.0.0.1"] = {10, 10};
    seen.events.clear();
    store.rebuild_route(3);

    const auto& rows = store.traces()[3].rows;
    EXPECT_EQ(rows[2].location, "at 4.0.0.1");
    EXPECT_EQ(rows[1].location, " ") << "status rows are left alone";
    ASSERT_EQ(store.current_route()->places.size(), 1u);
    EXPECT_EQ(store.current_route()->places[0].point_count, 3);
    EXPECT_EQ(seen.events, (events{"repaint", "output cleared", "output hop x at 1.0.0.1",
                                   "output line 'Timed out. Retrying... ' 255",
                                   "output hop y at 4.0.0.1", "output hop z at 2.0.0.1"}));
}

TEST_F(store_with_traces, rebuilding_starts_from_its_own_position_not_the_last_trace) {
    store.begin_trace("lost");
    store.add_hop(hop("u", "0.0.0.1"), true);
    store.end_trace();
    store.rebuild_route(3);
    EXPECT_TRUE(store.current_route()->places.empty());
    EXPECT_EQ(seen.only({"dot", "label", "line"}), events{}) << "rebuilding draws only by repaint";
}

TEST_F(store_with_traces, selecting_by_beginning_takes_the_oldest_match_regardless_of_case) {
    store.begin_trace("TWO");
    store.add_hop(hop("t", "2.0.0.1"), true);
    store.end_trace();
    seen.events.clear();
    store.select_trace_beginning_with("tw");
    store.select_trace_beginning_with("nothing");
    store.select_trace(7);
    EXPECT_EQ(seen.events, (events{"list select 1"}));
}

} // namespace
} // namespace hoplot
