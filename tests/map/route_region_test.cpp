#include "map/route_region.h"

#include <gtest/gtest.h>

#include "map/test_views.h"

namespace hoplot {
namespace {

route_rec route_through(std::vector<map_point> points) {
    route_rec route;
    for (const map_point& p : points)
        route.places.push_back(hop_group{{point_rec{"h", p, 0}}, 1, 0});
    return route;
}

// The region holds every point with a 10-pixel margin, has the world's aspect (831 / 572) and
// lies inside the world.
TEST(route_region, holds_the_points_with_a_margin_in_the_worlds_aspect) {
    const map_view view = test::sized_view();
    struct row {
        const char* what;
        std::vector<map_point> points;
        pixel_point p0, p1;
    };
    const row rows[] = {
        // 415.5, 286 widened to 20 pixels high and 29.06 wide.
        {"one point", {{32768, 32768}}, {401, 276}, {430, 296}},
        // 126.8..380.4 by 174.6..192.0: the width rules, the height follows about the centre.
        {"wide route", {{10000, 20000}, {30000, 22000}}, {117, 89}, {390, 277}},
        {"at the world's corner", {{0, 0}}, {0, 0}, {29, 20}},
        {"wider than the world", {{0, 0}, {65536, 100}}, {0, 0}, {831, 572}},
    };
    for (const row& r : rows) {
        const auto region = route_region(view, route_through(r.points));
        ASSERT_TRUE(region) << r.what;
        EXPECT_EQ(region->first, r.p0) << r.what;
        EXPECT_EQ(region->second, r.p1) << r.what;
    }
    EXPECT_FALSE(route_region(view, route_rec{}));
}

} // namespace
} // namespace hoplot
