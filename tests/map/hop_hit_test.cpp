#include "map/hop_hit.h"

#include <gtest/gtest.h>

#include "map/projection.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

using namespace test;

hop_rec row(const std::string& name, const std::string& address, const char* location,
            const std::string& time) {
    hop_rec r;
    r.name = name;
    r.address = address;
    if (location) r.location = location;
    r.time = time;
    return r;
}

// Hops 0 and 1 share a place in Paris, hop 2 is in Berlin, hop 3 back in Paris.
route_rec three_places() {
    const map_point paris = map_units(2.3, 48.9), berlin = map_units(13.4, 52.5);
    route_rec route;
    route.places = {{{{"a", paris, 0}, {"b", paris, 0}}, 2, 0},
                    {{{"c", berlin, 0}}, 1, 0},
                    {{{"d", paris, 0}}, 3, 2}};
    return route;
}

TEST(hop_hit, finds_every_hop_of_the_nearest_dot_within_reach_and_nothing_in_the_margin) {
    const route_rec route = three_places();
    const map_view view = sized_view(1200, 900);
    const pixel_point paris = map_to_screen(view, map_units(2.3, 48.9).x, map_units(2.3, 48.9).y);
    const pixel_point berlin =
        map_to_screen(view, map_units(13.4, 52.5).x, map_units(13.4, 52.5).y);
    const struct {
        pixel_point at;
        std::vector<std::size_t> hops;
    } rows[] = {{paris, {0, 1, 3}},
                {{paris.x + 4, paris.y}, {0, 1, 3}}, // dot radius 2, and 2 pixels of reach
                {{paris.x + 5, paris.y}, {}},
                {berlin, {2}},
                {{berlin.x - 1, berlin.y + 1}, {2}},
                {{1000, 800}, {}}};
    for (const auto& r : rows)
        EXPECT_EQ(hops_at(view, route, r.at), r.hops) << r.at.x << "," << r.at.y;

    // A hop drawn in the black margin is cut off there, so it cannot be pointed at.
    map_view zoomed = region_view(0, 0, 207, 142);
    zoomed.client_w = 1200;
    zoomed.client_h = 900;
    const map_point beyond{19637, 8535};
    const pixel_point off = map_to_screen(zoomed, beyond.x, beyond.y);
    ASSERT_GT(off.x, 832);
    ASSERT_LT(off.x, 1200);
    route_rec far;
    far.places = {{{{"far", beyond, 0}}, 1, 0}};
    EXPECT_TRUE(hops_at(zoomed, far, off).empty());
}

TEST(hop_hit, hop_rows_skip_status_rows_and_the_tip_lists_each_hop) {
    const std::vector<hop_rec> rows = {
        row("gw.example.net", "192.0.2.1", "48.9N 2.3E", "   3ms"),
        make_status_row("Timed out. Retrying... ", 0),
        row("192.0.2.9", "192.0.2.9", nullptr, "  40ms"),
        row("core.example.org", "198.51.100.7", "Unresolved", " 120ms")};
    EXPECT_EQ(row_of_hop(rows, 0), 0u);
    EXPECT_EQ(row_of_hop(rows, 1), 2u);
    EXPECT_EQ(row_of_hop(rows, 2), 3u);
    EXPECT_EQ(row_of_hop(rows, 3), std::nullopt);
    EXPECT_EQ(hop_tip_text(rows, {0, 1, 7}), "gw.example.net\n192.0.2.1\n48.9N 2.3E\n3ms\n\n"
                                             "192.0.2.9\n192.0.2.9\n40ms");
    EXPECT_EQ(hop_tip_text(rows, {}), "");
}

} // namespace
} // namespace hoplot
