#include "map/overview_geometry.h"

#include <gtest/gtest.h>
#include <optional>

#include "map/drawing_objects.h"
#include "map/map_test_files.h"
#include "map/overview_world.h"
#include "map/projection.h"
#include "map/recording_canvas.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

using test::globe_view;
using test::sized_view;

// A picture 155 by 105 pixels: 157 / 831 picture pixels per world pixel across, 105 / 572 down.
constexpr int picture_w = 155;
constexpr int picture_h = 105;

// The outline is what the map shows: in a window wider than the world's shape a zoomed map
// shows more than its region, a whole world no more than the world.
TEST(overview_geometry, outlines_what_is_shown_in_one_rectangle_or_two_across_the_seam) {
    const struct {
        int client_w, client_h, left, top, right, bottom;
        overview_rects rects;
    } cases[] = {
        {831, 572, 0, 0, 831, 572, {{0, 0, 157, 105}, {}}},
        {1200, 900, 0, 0, 831, 572, {{0, 0, 157, 105}, {}}},
        {831, 572, 200, 100, 408, 243, {{38, 18, 77, 45}, {}}},
        {1662, 572, 200, 100, 408, 243, {{18, 18, 97, 45}, {}}}, // 416 wide about 304
        {831, 572, 700, 0, 100, 572, {{132, 0, 157, 105}, {0, 0, 19, 105}}},
        {1662, 572, 20, 100, 228, 243, {{141, 18, 157, 45}, {0, 18, 63, 45}}},
    };
    for (const auto& c : cases) {
        map_view view = sized_view(c.client_w, c.client_h);
        test::set_region(view, c.left, c.top, c.right, c.bottom);
        const overview_rects rects = overview_visible_rects(view, picture_w, picture_h);
        EXPECT_EQ(rects.a, c.rects.a) << c.client_w << " " << c.left;
        EXPECT_EQ(rects.b, c.rects.b) << c.client_w << " " << c.left;
    }
    // The globe shows the hemisphere facing the viewer.
    map_view globe = globe_view(1000, 700);
    EXPECT_EQ(overview_visible_rects(globe, picture_w, picture_h).a, (pixel_rect{39, 0, 118, 105}));
    // A view never sized places nothing.
    EXPECT_EQ(overview_visible_rects(map_view{}, picture_w, picture_h), overview_rects{});
}

TEST(overview_geometry, cross_hair_follows_the_mouse_but_not_off_the_globe) {
    EXPECT_EQ(overview_cross_hair(sized_view(), {415, 286}, picture_w, picture_h),
              (pixel_point{78, 53}));
    map_view globe = globe_view();
    shift_view_x(globe, -30);
    EXPECT_EQ(overview_cross_hair(globe, {415, 286}, picture_w, picture_h), (pixel_point{84, 53}));
    EXPECT_EQ(overview_cross_hair(globe, {5, 5}, picture_w, picture_h), std::nullopt);
}

// The coastlines land where the rectangles and the cross-hair put the same place.
TEST(overview_geometry, world_picture_shares_the_overlay_scale) {
    map_data maps;
    // One line from 0° 0° (cell 2, 2 of a 4 by 4 grid) north-east across its cell.
    maps.coastlines[0] = test::level_with(4, {{10, {{0, 0, 128, 128}}}});
    maps.rivers[0] = test::level_with(4, {{5, {{0, 0, 128, 128}}}});
    test::recording_canvas surface;
    draw_overview_world(surface, maps, picture_w, picture_h);
    ASSERT_EQ(surface.segments.size(), 1u);
    EXPECT_EQ(surface.segments[0].pen, coastline_pen);
    const overview_scale k = overview_scale_for(sized_view(), picture_w, picture_h);
    EXPECT_EQ(surface.segments[0].from,
              (pixel_point{round_pixel(831 / 2.0 * k.x), round_pixel(572 / 2.0 * k.y)}));
    EXPECT_EQ(surface.fills.front().right, picture_w);
}

} // namespace
} // namespace hoplot
