#include "map/hop_hit.h"

#include <gtest/gtest.h>

#include "map/projection.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

using namespace test;

// Hops 0 and 1 share a dot in Paris, hop 2 is in Berlin, hop 3 back in Paris; in a window
// larger than the world, zoomed so that Berlin lies in the black margin.
TEST(hop_hit, finds_every_hop_of_the_nearest_dot_within_reach_but_none_in_the_margin) {
    const map_point paris = map_units(2.3, 48.9), berlin = map_units(13.4, 52.5);
    route_rec route;
    route.places = {{{{"a", paris, 0}, {"b", paris, 0}}, 2, 0},
                    {{{"c", berlin, 0}}, 1, 0},
                    {{{"d", paris, 0}}, 3, 2}};
    map_view view = region_view(380, 100, 440, 141);
    view.client_w = 1200;
    view.client_h = 900;
    const pixel_point p = map_to_screen(view, paris.x, paris.y);
    const pixel_point b = map_to_screen(view, berlin.x, berlin.y);
    ASSERT_GT(b.x, 832);
    ASSERT_LT(b.x, 1200);
    const struct {
        pixel_point at;
        std::vector<std::size_t> hops;
    } rows[] = {{p, {0, 1, 3}},
                {{p.x + 4, p.y}, {0, 1, 3}}, // dot radius 2, and 2 pixels of reach
                {{p.x + 5, p.y}, {}},
                {b, {}}};
    for (const auto& r : rows)
        EXPECT_EQ(hops_at(view, route, r.at), r.hops) << r.at.x << "," << r.at.y;
}

} // namespace
} // namespace hoplot
