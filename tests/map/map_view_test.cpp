#include "map/map_view.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

#include "map/map_frame.h"
#include "map/projection.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

using test::set_region;
using test::sized_view;
using requests = std::vector<std::string>;

TEST(projection, rounding_adds_a_half_and_truncates_toward_zero) {
    const std::pair<double, int> cases[] = {{0.49, 0},
                                            {415.5, 416},
                                            {-0.7, 0},
                                            {-1.7, -1},
                                            {1e300, INT_MAX},
                                            {-1e300, INT_MIN},
                                            {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& [value, pixel] : cases)
        EXPECT_EQ(round_pixel(value), pixel) << value;
}

// The whole world at zoom 1 fills the largest rectangle of its shape that fits the window,
// centred: corners and centre land there, whatever the window's size.
TEST(projection, flat_projection_fills_the_frame_and_its_inverse_agrees) {
    const struct {
        int client_w, client_h;
        pixel_point top_left, middle, bottom_right;
    } sizes[] = {
        {831, 572, {0, 0}, {416, 286}, {831, 572}},
        {1200, 900, {0, 37}, {600, 450}, {1200, 863}}, // 1.444 times: 1200 by 826
        {1662, 572, {416, 0}, {831, 286}, {1247, 572}},
        {400, 300, {0, 12}, {200, 150}, {400, 288}},
    };
    for (const auto& c : sizes) {
        const map_view view = sized_view(c.client_w, c.client_h);
        EXPECT_EQ(map_to_screen(view, 0, 0), c.top_left) << c.client_w;
        EXPECT_EQ(map_to_screen(view, 32768, 32768), c.middle) << c.client_w;
        EXPECT_EQ(map_to_screen(view, 65536, 65536), c.bottom_right) << c.client_w;
    }
    for (const std::array<int, 4> r : {std::array{100, 50, 307, 193},
                                       {700, 10, 100, 159},
                                       {830, 0, 830, 572},
                                       {0, -40, 831, 532}}) {
        for (const pixel_point client : {pixel_point{831, 572}, {1400, 800}}) {
            map_view view = sized_view(client.x, client.y);
            set_region(view, r[0], r[1], r[2], r[3]);
            const double scale = frame_scale(view);
            const pixel_rect area = map_area(view);
            for (int sx = area.left; sx < area.right; sx += 37) {
                for (int sy = area.top; sy < area.bottom; sy += 41) {
                    int wx = sx, wy = sy;
                    unproject_flat(view, wx, wy);
                    double px = wx, py = wy;
                    project_flat(view, px, py);
                    EXPECT_NEAR(px, sx, scale * horizontal_scale(view) + 1e-9) << r[0] << " " << sx;
                    EXPECT_NEAR(py, sy, scale * vertical_scale(view) + 1e-9) << r[0] << " " << sy;
                }
            }
        }
    }
    // Across the seam, the east side of the region comes first on the screen.
    map_view view = sized_view();
    set_region(view, 700, 0, 100, 572);
    double east = 750, west = 50, y = 0;
    project_flat(view, east, y);
    project_flat(view, west, y);
    EXPECT_DOUBLE_EQ(east, 50 * 831.0 / 231);
    EXPECT_DOUBLE_EQ(west, 181 * 831.0 / 231);
    // Beside a zoomed region the map goes on: west of it to the left, across the seam too.
    set_region(view, 10, 0, 218, 143);
    double before_seam = 820, beyond = 231;
    project_flat(view, before_seam, y);
    project_flat(view, beyond, y);
    EXPECT_NEAR(before_seam, -21 * 831.0 / 208, 1e-9);
    EXPECT_NEAR(beyond, 221 * 831.0 / 208, 1e-9);
}

TEST(globe, only_the_front_hemisphere_is_visible_with_strict_bounds) {
    const double quarter = 831 / 4.0;
    const std::pair<double, bool> cases[] = {
        {quarter, false},           {3 * quarter, false}, {quarter + 0.01, true},
        {3 * quarter - 0.01, true}, {0, false},           {415.5, true}};
    for (const auto& [wx, visible] : cases) {
        double x = wx, y = 100;
        EXPECT_EQ(project_globe(sized_view(), x, y), visible) << wx;
    }
    // The centre of the world is the centre of the disc, both ways.
    double x = 415.5, y = 286;
    ASSERT_TRUE(project_globe(sized_view(601, 400), x, y));
    EXPECT_EQ((std::array{x, y}), (std::array{300.5, 200.0}));
    int sx = 300, sy = 200;
    EXPECT_TRUE(unproject_globe(sized_view(600, 400), sx, sy));
    EXPECT_EQ((std::array{sx, sy}), (std::array{416, 286}));
}

TEST(globe, disc_points_come_back_and_points_off_it_lie_beyond_the_limb_on_their_side) {
    map_view view = sized_view(500, 300); // centre (250, 150)
    view.globe_radius = 100;
    // Odd steps from the centre: points just off the rim, such as (351, 149), are among them.
    for (int sx = 1; sx <= 500; sx += 2) {
        for (int sy = 1; sy <= 300; sy += 2) {
            const int dx = sx - 250, dy = sy - 150;
            int wx = sx, wy = sy;
            const bool on_disc = unproject_globe(view, wx, wy);
            EXPECT_EQ(on_disc, dx * dx + dy * dy <= 100 * 100) << sx << " " << sy;
            if (!on_disc) { // never the centre, never a non-number
                EXPECT_TRUE(dx > 0 ? wx >= 831 * 3 / 4 : wx <= 831 / 4 + 1) << sx << " " << sy;
                continue;
            }
            double px = wx, py = wy;
            ASSERT_TRUE(project_globe(view, px, py)) << sx << " " << sy;
            EXPECT_NEAR(px, sx, 1.5) << sy;
            EXPECT_NEAR(py, sy, 1.5) << sx;
        }
    }
    // On the horizontal line the position off the disc is the limb point of that side.
    for (const auto& [rim, off] : {std::pair{350, 420}, std::pair{150, 60}}) {
        int rim_x = rim, rim_y = 150, wx = off, wy = 150;
        ASSERT_TRUE(unproject_globe(view, rim_x, rim_y));
        EXPECT_FALSE(unproject_globe(view, wx, wy));
        EXPECT_EQ((std::array{wx, wy}), (std::array{rim_x, rim_y}));
    }
}

TEST(map_view, zoom_and_level_follow_the_region) {
    const std::array<int, 4> cases[] = {
        {831, 572, 1, 0},  // right, bottom, zoom, level: the whole world
        {415, 286, 4, 0},  // a half: still Low
        {207, 143, 16, 1}, // a quarter
        {103, 71, 64, 1},  // an eighth: the last Medium zoom
        {51, 35, 266, 2},  // a sixteenth
    };
    for (const auto& [right, bottom, zoom, level] : cases) {
        map_view view = sized_view();
        set_region(view, 0, 0, right, bottom);
        test::recording_listener listener;
        update_zoom(view, listener);
        select_level(view);
        EXPECT_EQ((std::array{view.zoom, view.level}), (std::array{zoom, level})) << right;
        EXPECT_EQ(listener.requests, requests{});
    }
}

TEST(map_view, magnification_limit_cuts_the_region_and_asks_the_window) {
    const struct {
        int max_level, zoom, width;
        const char* asked;
    } cases[] = {
        {3, 64000, 3, "message Can't zoom in any further"}, // 831 / sqrt(64000) = 3.28
        {2, 256, 52, "missing maps"},
        {1, 64, 104, "missing maps"},
        {0, 4, 416, "missing maps"},
        {-1, 1, 831, "missing maps"}, // no level loaded: no magnification at all
    };
    for (const auto& c : cases) {
        map_view view = sized_view(world_width, world_height, c.max_level);
        set_region(view, 0, 100, 1, 101);
        test::recording_listener listener;
        update_zoom(view, listener);
        select_level(view);
        EXPECT_EQ(view.zoom, c.zoom) << c.max_level;
        EXPECT_LE(view.level, c.max_level < 0 ? 0 : c.max_level);
        EXPECT_EQ(listener.requests, requests{c.asked}) << c.max_level;
        EXPECT_EQ(view.left, 0);
        EXPECT_EQ(visible_width(view), c.width) << c.max_level;
        EXPECT_EQ(visible_height(view), static_cast<int>(c.width / (831.0 / 572))) << c.max_level;
    }
    // The cut region stays valid at the seam and the bottom: left, top, right, bottom before and
    // the new right, top, bottom and wrapped flag.
    const std::array<int, 9> edges[] = {
        {829, 0, 830, 1, 3, 1, 0, 2, true},          // pushed across the seam
        {826, 0, 1, 1, 3, 829, 0, 2, false},         // no longer across it
        {10, 560, 20, 572, 1, 113, 501, 572, false}, // moved up, width refitted
    };
    for (const auto& [left, top, right, bottom, max_level, new_right, new_top, new_bottom,
                      wrapped] : edges) {
        map_view view = sized_view(world_width, world_height, max_level);
        set_region(view, left, top, right, bottom);
        test::recording_listener listener;
        update_zoom(view, listener);
        EXPECT_EQ((std::array{view.left, view.right, view.top, view.bottom, int{view.wrapped}}),
                  (std::array{left, new_right, new_top, new_bottom, wrapped}));
    }
}

TEST(map_view, shifts_move_the_region_and_wrap_only_horizontally) {
    map_view view = sized_view();
    shift_view_x(view, 1);
    EXPECT_EQ((std::array{view.left, view.right, view.x_offset}), (std::array{830, 830, 1}));
    EXPECT_TRUE(view.wrapped);
    EXPECT_EQ(visible_width(view), 831);
    shift_view_x(view, -1);
    EXPECT_EQ((std::array{view.left, view.right, view.x_offset}), (std::array{0, 831, 0}));
    EXPECT_FALSE(view.wrapped);

    set_region(view, 100, 0, 200, 572);
    shift_view_x(view, 200); // the right edge lands on 0: it becomes the east edge
    EXPECT_EQ((std::array{view.left, view.right}), (std::array{731, 831}));
    EXPECT_FALSE(view.wrapped);

    for (int i = 0; i < 3; ++i)
        shift_view_y(view, -300);
    EXPECT_EQ((std::array{view.top, view.bottom, view.y_offset}), (std::array{900, 1472, -900}));
}

TEST(map_view, region_from_two_corners_in_any_order_fitted_to_the_worlds_aspect_ratio) {
    const map_view fitted = sized_view();
    const std::array<pixel_point, 4> fits[] = {
        // p0, p1, p1 with the height fitted, with the width fitted
        {{{0, 0}, {831, 572}, {831, 572}, {831, 572}}},    // the ratio already: unchanged
        {{{0, 0}, {100, 10}, {100, 68}, {14, 10}}},        // 100 / 1.4528, 10 * 1.4528
        {{{50, 300}, {150, 200}, {150, 232}, {195, 200}}}, // dragged upward
        {{{800, 0}, {810, 100}, {810, 6}, {114, 100}}},    // the new corner crosses the seam
    };
    for (const auto& [p0, p1, height_fitted, width_fitted] : fits) {
        pixel_point by_height = p1, by_width = p1;
        fit_height(fitted, p0, by_height);
        fit_width(fitted, p0, by_width);
        EXPECT_EQ(by_height, height_fitted) << p0.x << " " << p1.x;
        EXPECT_EQ(by_width, width_fitted) << p0.x << " " << p1.x;
    }
    const struct {
        pixel_point p0, p1;
        bool wrapped_before;
        std::array<int, 4> region;
    } corners[] = {
        {{10, 20}, {110, 90}, true, {10, 20, 110, 90}},   // top left to bottom right
        {{110, 90}, {10, 20}, false, {10, 20, 110, 90}},  // bottom right to top left
        {{700, 90}, {100, 20}, true, {700, 20, 100, 90}}, // the same, across the seam
        {{10, 90}, {110, 20}, true, {10, 20, 110, 90}},   // bottom left to top right
        {{110, 20}, {10, 90}, false, {10, 20, 110, 90}},  // top right to bottom left
        {{700, 20}, {100, 90}, true, {700, 20, 100, 90}}, // the same, across the seam
    };
    for (const auto& c : corners) {
        map_view view = sized_view();
        view.wrapped = c.wrapped_before;
        set_view_rect(view, c.p0, c.p1);
        EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom}), c.region) << c.p0.x;
        EXPECT_EQ(view.wrapped, c.region[0] > c.region[2]) << c.p0.x << " " << c.p1.x;
    }
}

// A resize keeps the region, and with it the centre and the zoom; the globe's radius is a third
// of the frame's width, the frame's height being its smaller side.
TEST(map_view, resize_keeps_the_view_and_mode_switches_show_the_whole_world) {
    map_view view = sized_view();
    EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom, view.zoom}),
              (std::array{0, 0, 831, 572, 1}));
    view.globe_mode = view.zoomed = true;
    set_region(view, 700, 10, 100, 100);
    view.x_offset = 55;
    view.y_offset = 7;
    test::recording_listener listener;
    const struct {
        int client_w, client_h, radius;
    } sizes[] = {{600, 300, 145}, {1400, 900, 435}, {831, 572, 277}, {300, 900, 100}};
    for (const auto& c : sizes) {
        resize_view(view, c.client_w, c.client_h, listener);
        EXPECT_EQ((std::array{view.client_w, view.client_h, view.globe_radius}),
                  (std::array{c.client_w, c.client_h, c.radius}));
        EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom, view.x_offset,
                              view.y_offset}),
                  (std::array{700, 10, 100, 100, 55, 7}));
        EXPECT_TRUE(view.globe_mode && view.zoomed && view.wrapped);
    }
    resize_view(view, 10, 0, listener); // a minimised window changes nothing
    EXPECT_EQ(view.client_w, 300);
    EXPECT_EQ(listener.requests, requests{});

    view = sized_view(1000, 700);
    set_region(view, 10, 10, 110, 80);
    view.zoomed = true;
    set_globe_mode(view, listener);
    set_globe_mode(view, listener); // already a globe: nothing at all
    EXPECT_TRUE(view.globe_mode);
    EXPECT_EQ((std::array{view.left, view.right, view.zoom}), (std::array{0, 831, 1}));
    EXPECT_FALSE(view.zoomed);
    set_flat_mode(view, listener);
    EXPECT_FALSE(view.globe_mode);
    EXPECT_EQ(listener.requests,
              (requests{"check globe", "scroll bars", "check flat", "scroll bars"}));
}

// The read-outs' text is tested with them; here what only the degrees show: an unsized view
// gives no NaN, and a turned globe's centre a world or more to either side is the same meridian.
TEST(map_view, read_outs_give_numbers_for_an_unsized_view_and_any_turn) {
    EXPECT_EQ(longitude_read_out(map_view{}, 10).degrees, 0.0);
    EXPECT_EQ(latitude_read_out(map_view{}, 10).degrees, 0.0);
    for (const double beyond : {286.0, 286.0 + 831, 286.0 - 831, 286.0 + 3 * 831}) {
        const auto lon = longitude_read_out(sized_view(), beyond);
        EXPECT_NEAR(lon.degrees, 56.1, 0.01) << beyond;
        EXPECT_EQ(lon.letter, 'W') << beyond;
    }
}

} // namespace
} // namespace hoplot
