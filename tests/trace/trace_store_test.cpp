#include <gtest/gtest.h>

#include "trace/store_recorder.h"

namespace hoplot {
namespace {

using testing::hop;
using events = std::vector<std::string>;

struct store_with_traces : testing::store_test {
    store_with_traces() {
        places.positions = {{"1.0.0.1", {10, 10}}, {"2.0.0.1", {20, 20}}, {"3.0.0.1", {30, 30}}};
        for (const auto& [name, address] :
             {std::pair{"one", "1.0.0.1"}, {"two", "2.0.0.1"}, {"three", "3.0.0.1"}})
            add_trace(name,
                      {hop(name + std::string("-hop"), address), make_status_row(done_text, blue)});
        seen.events.clear();
    }
};

TEST_F(store_with_traces, deleting_the_first_while_the_second_is_shown_shows_the_last) {
    store.rebuild_route(1);
    seen.events.clear();
    store.set_traces_saved(true);
    store.delete_trace(0);

    EXPECT_EQ(store.traces()[0].name, "two");
    EXPECT_EQ(store.current_trace(), 1u);
    EXPECT_EQ(store.current_route()->places.at(0).points.at(0).label, "three-hop");
    EXPECT_EQ(seen.events,
              (events{"list remove 0", "repaint", "output cleared",
                      "output hop three-hop at 3.0.0.1", "output line 'Done' 16711680"}));
    EXPECT_FALSE(store.traces_saved());

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
    store.add_status_row(done_text, blue); // the trace being built is gone: shown, not stored
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(store.current_route(), nullptr);
    EXPECT_FALSE(store.traces_saved());
    EXPECT_EQ(seen.events,
              (events{"output cleared", "list cleared", "output line 'Done' 16711680"}));
}

TEST_F(store_with_traces, rebuilding_resolves_every_hop_anew) {
    // Two places; then the user fixes the later hops onto the first's position.
    add_trace("four", {hop("x", "1.0.0.1"), make_status_row(timed_out_text, red),
                       hop("y", "4.0.0.1"), hop("z", "2.0.0.1")});
    ASSERT_EQ(store.current_route()->places.size(), 2u);
    places.positions["4.0.0.1"] = places.positions["2.0.0.1"] = {10, 10};
    seen.events.clear();
    store.rebuild_route(3);

    EXPECT_EQ(store.traces()[3].rows[2].location, "at 4.0.0.1");
    EXPECT_EQ(store.traces()[3].rows[1].location, " ") << "status rows are left alone";
    ASSERT_EQ(store.current_route()->places.size(), 1u);
    EXPECT_EQ(store.current_route()->places[0].point_count, 3);
    EXPECT_EQ(seen.events, (events{"repaint", "output cleared", "output hop x at 1.0.0.1",
                                   "output line 'Timed out. Retrying... ' 255",
                                   "output hop y at 4.0.0.1", "output hop z at 2.0.0.1"}));
}

TEST_F(store_with_traces, selecting_by_beginning_takes_the_oldest_match_regardless_of_case) {
    add_trace("TWO", {hop("t", "2.0.0.1")});
    seen.events.clear();
    store.select_trace_beginning_with("tw");
    store.select_trace_beginning_with("nothing");
    store.select_trace(7);
    EXPECT_EQ(seen.events, (events{"list select 1"}));
}

} // namespace
} // namespace hoplot
