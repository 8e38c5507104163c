#include <gtest/gtest.h>

#include "trace/position_check.h"
#include "trace/store_recorder.h"

namespace hoplot {
namespace {

using testing::hop;
using events = std::vector<std::string>;
using checking = testing::store_test;

constexpr coordinates paris{48.86, 2.35};
constexpr coordinates versailles{48.80, 2.13};
constexpr coordinates tokyo{35.68, 139.69};

hop_rec timed(const std::string& name, const std::string& address, int us) {
    hop_rec row = hop(name, address, us / 1000);
    row.rtt = std::chrono::microseconds(us);
    return row;
}

std::vector<bool> doubtful_points(const route_rec& route) {
    std::vector<bool> flags;
    for (const hop_group& place : route.places)
        for (const point_rec& point : place.points)
            flags.push_back(point.doubtful);
    return flags;
}

// A later hop with a stronger source rules out an earlier one: its line in the output window
// changes and the map is drawn again with the hop hollow.
TEST_F(checking, a_later_hop_rules_out_an_earlier_weaker_one_live) {
    places.place("10.0.0.1", tokyo, location_source::geoip);
    places.place("10.0.0.2", paris, location_source::cache);
    store.begin_trace("d");
    store.add_hop(timed("a", "10.0.0.1", 500), true);
    seen.events.clear();
    store.add_hop(timed("b", "10.0.0.2", 500), true);

    // The live drawing of b, then the whole picture again.
    ASSERT_GE(seen.events.size(), 3u);
    EXPECT_EQ(seen.events.front(), "output hop b at 10.0.0.2");
    EXPECT_EQ(events(seen.events.end() - 2, seen.events.end()),
              (events{"repaint", "output changed 0/2 a at 10.0.0.1"}));
    const hop_rec& a = store.traces()[0].rows[0];
    EXPECT_EQ(a.check_note, "Placed by GeoIP at 35.68° N, 139.69° E, 9,713 km from b, but the "
                            "two answered in 0.5 ms and 0.5 ms: at most 300 km apart");
    EXPECT_EQ(position_tip(a), a.check_note);
    EXPECT_EQ(doubtful_points(*store.current_route()), (std::vector<bool>{true, false}));
}

// A home rules out the first answer; a later source's within reach stands in and the hop
// moves there. Without the home again, the first answer is back.
TEST_F(checking, a_new_home_checks_the_shown_trace_again) {
    places.place("10.0.0.1", tokyo, location_source::geoip);
    places.add_later("10.0.0.1", versailles, location_source::rules);
    places.place("10.0.0.2", tokyo, location_source::geoip);
    store.begin_trace("d");
    store.add_hop(timed("a", "10.0.0.1", 500), true);
    store.add_hop(timed("b", "10.0.0.2", 2000), true);
    store.end_trace();
    seen.events.clear();

    store.set_home(paris);
    const std::vector<hop_rec>& rows = store.traces()[0].rows;
    EXPECT_EQ(seen.events, (events{"repaint", "output changed 0/2 a later at 10.0.0.1",
                                   "output changed 1/2 b at 10.0.0.2"}));
    EXPECT_EQ(rows[0].source, location_source::rules);
    EXPECT_EQ(rows[0].check_note,
              "Placed by the host-name rules: GeoIP put it at 35.68° N, 139.69° E, 9,713 km "
              "from home, but it answered in 0.5 ms: at most 150 km away");
    EXPECT_EQ(rows[1].check_note, "Placed by GeoIP at 35.68° N, 139.69° E, 9,713 km from home, "
                                  "but it answered in 2 ms: at most 300 km away");
    EXPECT_EQ(store.current_route()->places.front().points.front().position,
              to_map_units(versailles));

    store.set_home(std::nullopt);
    EXPECT_EQ(rows[0].location, "at 10.0.0.1");
    EXPECT_EQ(rows[0].check.plausible, true);
    EXPECT_EQ(store.current_route()->places.front().points.front().position, to_map_units(tokyo));
}

// A trace file keeps whole milliseconds, cut down: "2ms" may have been 2.999 ms, which reaches
// 400 km. A hop 350 km away passes, one 450 km away does not.
TEST_F(checking, a_file_row_may_have_taken_a_millisecond_more) {
    places.place("10.0.0.1", {paris.latitude + 3.15, paris.longitude}, location_source::cache);
    places.place("10.0.0.2", {paris.latitude + 4.05, paris.longitude}, location_source::cache);
    store.set_home(paris);
    store.begin_trace("d");
    store.add_hop(hop("near", "10.0.0.1", 2), false);
    store.add_hop(hop("far", "10.0.0.2", 2), false);
    store.end_trace();

    const std::vector<hop_rec>& rows = store.traces()[0].rows;
    EXPECT_EQ(rows[0].check.plausible, true);
    EXPECT_EQ(rows[1].check.plausible, false);
    EXPECT_EQ(rows[1].check_note, "Placed by the cache files at 52.91° N, 2.35° E, 450 km from "
                                  "home, but it answered in under 3 ms: at most 400 km away");
    EXPECT_EQ(doubtful_points(*store.current_route()), (std::vector<bool>{false, true}));
    // A file's trace is drawn when it is shown.
    EXPECT_EQ(std::count(seen.events.begin(), seen.events.end(), "repaint"), 0);
}

} // namespace
} // namespace hoplot
