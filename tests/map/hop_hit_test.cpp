#include "map/hop_hit.h"

#include <gtest/gtest.h>

#include "map/projection.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

using namespace test;

// Hops 0 and 1 share a dot in Paris, hop 2 is in Berlin, hop 3 back in Paris, hop 4 on the
// date line. In a window wider than the world's shape the zoomed map fills the window, Berlin
// included; the whole world leaves a margin beside the date line's dot.
TEST(hop_hit, finds_every_hop_of_the_nearest_dot_within_reach_but_none_in_a_margin) {
    const map_point paris = map_units(2.3, 48.9), berlin = map_units(13.4, 52.5);
    const map_point date_line = map_units(-179.9, 0);
    route_rec route;
    route.places = {{{{"a", paris, 0}, {"b", paris, 0}}, 2, 0},
                    {{{"c", berlin, 0}}, 1, 0},
                    {{{"d", paris, 0}}, 3, 2},
                    {{{"e", date_line, 0}}, 1, 3}};
    map_view zoomed = sized_view(1400, 572);
    set_region(zoomed, 380, 100, 440, 141);
    const pixel_point p = map_to_screen(zoomed, paris.x, paris.y);
    const pixel_point b = map_to_screen(zoomed, berlin.x, berlin.y);
    ASSERT_GT(b.x, 1200);
    ASSERT_LT(b.x, 1400);
    const map_view whole = sized_view(1400, 572); // the world from x = 284.5
    const pixel_point e = map_to_screen(whole, date_line.x, date_line.y);
    ASSERT_EQ(e.x, 285);
    const struct {
        const map_view& view;
        pixel_point at;
        std::vector<std::size_t> hops;
    } rows[] = {{zoomed, p, {0, 1, 3}},
                {zoomed, {p.x + 4, p.y}, {0, 1, 3}}, // dot radius 2, and 2 pixels of reach
                {zoomed, {p.x + 5, p.y}, {}},
                {zoomed, b, {2}},
                {whole, {e.x + 2, e.y}, {4}},
                {whole, {e.x - 2, e.y}, {}}};
    for (const auto& r : rows)
        EXPECT_EQ(hops_at(r.view, route, r.at), r.hops) << r.at.x << "," << r.at.y;
}

} // namespace
} // namespace hoplot
