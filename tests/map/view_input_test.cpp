#include "map/view_input.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

#include "map/map_frame.h"
#include "map/projection.h"
#include "map/test_views.h"
#include "map/view_history.h"

namespace hoplot {
namespace {

using namespace test;

// A region in a window twice as wide as the world's shape, which shows the map beside it.
map_view wide_region(int left, int top, int right, int bottom) {
    map_view view = sized_view(1662, 572);
    set_region(view, left, top, right, bottom);
    return view;
}

std::array<int, 8> state_of(const map_view& v) {
    return {v.left, v.top, v.right, v.bottom, v.wrapped, v.globe_mode, v.y_offset, v.zoom};
}

TEST(band_zoom, a_band_gives_the_same_view_from_whichever_corner_it_is_dragged) {
    const struct {
        map_view view;
        pixel_point a, b;
        std::array<int, 4> region;
        bool wrapped;
    } rows[] = {
        {sized_view(), {100, 100}, {308, 243}, {100, 100, 308, 243}, false},
        // In a wider window the world's frame starts at x = 415.5.
        {sized_view(1662, 572), {515, 100}, {723, 243}, {100, 100, 308, 243}, false},
        // Across the seam the region keeps its left edge east of its right edge.
        {region_view(700, 100, 100, 259), {300, 100}, {600, 306}, {783, 128, 36, 185}, true},
        // Also when only the map beside the region showed the seam.
        {wide_region(20, 100, 228, 243), {136, 150}, {535, 425}, {781, 138, 50, 206}, true}};
    for (const auto& r : rows) {
        for (const auto& [p0, p1] : {std::pair{r.a, r.b},
                                     {r.b, r.a},
                                     {pixel_point{r.a.x, r.b.y}, pixel_point{r.b.x, r.a.y}},
                                     {pixel_point{r.b.x, r.a.y}, pixel_point{r.a.x, r.b.y}}}) {
            map_view view = r.view;
            view_history history;
            recording_listener listener;
            ASSERT_TRUE(zoom_to_band(view, history, p0, p1, listener));
            EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom}), r.region);
            EXPECT_EQ(view.wrapped, r.wrapped);
            EXPECT_EQ(history.size(), 1u);
        }
    }
}

TEST(band_zoom, the_band_end_is_cut_at_each_edge_keeping_the_world_ratio_and_direction) {
    const struct {
        map_view view;
        pixel_point p0, m, p1;
    } rows[] = {
        {sized_view(), {400, 100}, {-50, 150}, {0, 375}},   // left: height refitted
        {sized_view(), {400, 100}, {900, 150}, {831, 396}}, // right
        {sized_view(), {400, 100}, {100, 50}, {255, 0}},    // top: width refitted, still west
        {sized_view(), {400, 500}, {700, 560}, {504, 572}}, // bottom
        {sized_view(), {400, 300}, {500, 400}, {500, 368}}, // inside: only the ratio
        // The whole world in a wider window: cut at its frame, not in the margin beside it.
        {sized_view(1662, 572), {800, 100}, {1500, 150}, {1247, 407}},
        {sized_view(1662, 572), {800, 100}, {100, 150}, {416, 364}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(constrain_band_end(r.view, r.p0, r.m), r.p1) << r.m.x << "," << r.m.y;
}

TEST(band_zoom, a_band_on_the_globe_shows_its_region_flat_and_one_off_the_disc_changes_nothing) {
    const pixel_point a{316, 217}, b{516, 355}; // about the disc's centre
    map_view view = globe_view();
    view_history history;
    recording_listener listener;
    ASSERT_TRUE(zoom_to_band(view, history, a, b, listener));
    EXPECT_FALSE(view.globe_mode);
    EXPECT_EQ(listener.requests.front(), "check flat");
    EXPECT_EQ(history.size(), 1u);
    // The band's left edge and height, widened eastward to the world's ratio.
    EXPECT_NEAR(view.left, 367, 2);
    EXPECT_NEAR((view.top + view.bottom) / 2.0, 286, 2);

    // Scrolled down by 50, the same band lies over rows 50 higher.
    map_view scrolled = globe_view();
    shift_view_y(scrolled, 50);
    ASSERT_TRUE(zoom_to_band(scrolled, history, a, b, listener));
    EXPECT_EQ((std::array{scrolled.top, scrolled.bottom}),
              (std::array{view.top - 50, view.bottom - 50}));

    // In the black corner, or without width: the view and its history as they were.
    for (const auto& [p0, p1] : {std::pair{pixel_point{0, 0}, pixel_point{60, 41}},
                                 {pixel_point{400, 200}, pixel_point{400, 300}}}) {
        map_view untouched = globe_view();
        view_history none;
        EXPECT_FALSE(zoom_to_band(untouched, none, p0, p1, listener));
        EXPECT_EQ(state_of(untouched), state_of(globe_view()));
        EXPECT_TRUE(none.empty());
    }
}

TEST(wheel_zoom, a_notch_doubles_or_halves_the_zoom_keeping_the_point_under_the_pointer) {
    recording_listener listener;
    map_view wrapped = region_view(700, 100, 100, 259);
    update_zoom(wrapped, listener);
    const auto world_under = [](const map_view& v, pixel_point m) {
        const flat_transform t = flat_transform_of(v);
        return std::array{std::fmod(t.world_x(m.x) + v.world_w, v.world_w), t.world_y(m.y)};
    };
    map_view wide = wide_region(300, 100, 508, 243);
    update_zoom(wide, listener);
    for (const map_view& start : {sized_view(), wrapped, wide}) {
        for (const pixel_point m : {pixel_point{0, 0}, {416, 286}, {800, 500}, {130, 40}}) {
            for (const bool in : {true, false}) {
                map_view view = start;
                view_history history;
                const bool changed = zoom_about(view, history, m, in, listener);
                EXPECT_EQ(changed, in || start.zoom > 1);
                if (!changed) continue;
                const auto before = world_under(start, m), after = world_under(view, m);
                const double dx = std::fabs(after[0] - before[0]);
                EXPECT_LE(std::min(dx, 831 - dx), 1.0) << m.x << (in ? " in" : " out");
                EXPECT_NEAR(after[1], before[1], 1.0);
                EXPECT_NEAR(static_cast<double>(view.zoom) / start.zoom, in ? 2.0 : 0.5, 0.2);
            }
        }
    }
    EXPECT_TRUE(listener.requests.empty());
    // Beside the world, where nothing is shown, a notch does nothing.
    map_view world = sized_view(1662, 572);
    view_history history;
    EXPECT_FALSE(zoom_about(world, history, {200, 286}, true, listener));
    EXPECT_TRUE(history.empty());
    map_view deepest = region_view(400, 200, 403, 202);
    EXPECT_TRUE(zoom_about(deepest, history, {416, 286}, true, listener));
    EXPECT_EQ(listener.requests, (std::vector<std::string>{"message Can't zoom in any further"}));
    EXPECT_EQ(deepest.zoom, 64000);
}

TEST(scroll_bars, thumb_track_shows_the_page_centre_in_degrees) {
    const struct {
        bool longitude;
        int position, page;
        const char* text;
    } rows[] = {{true, 831, 831, "0.000000° E"},  {true, 1662, 0, "180.000000° E"},
                {true, 1662, 831, "0.000000° E"}, {true, 100, 31, "129.963899° W"},
                {false, 0, 286, "45.000000° N"},  {false, 500, 144, "90.000000° S"}};
    for (const auto& r : rows)
        EXPECT_EQ(r.longitude ? longitude_track_text(sized_view(), r.position, r.page)
                              : latitude_track_text(sized_view(), r.position, r.page),
                  r.text);
}

TEST(scroll_bars, every_step_is_one_undo_step_and_vertical_steps_pass_the_poles) {
    const map_view start = sized_view();
    map_view view = start;
    view_history history;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(scroll_x(view, history, scroll_step::line_back, 831), 1);
    EXPECT_EQ((std::array{view.left, view.right, int{view.wrapped}}), (std::array{821, 821, 1}));
    EXPECT_EQ(scroll_y(view, history, scroll_step::line_back, 572), 1);
    EXPECT_EQ(view.top, -1); // beyond the north pole
    EXPECT_EQ(scroll_x(view, history, scroll_step::page_forward, 200), -200);
    EXPECT_EQ(view.left, 190);
    EXPECT_EQ(history.size(), 12u);
    while (history.undo(view)) {
    }
    EXPECT_EQ(state_of(view), state_of(start));

    scroll_x_to(view, history, 831 + 200); // from a left edge of 0
    EXPECT_EQ(view.left, 200);
    scroll_x_to(view, history, 50);
    EXPECT_EQ(view.left, 50);
    scroll_y_to(view, history, 30);
    EXPECT_EQ(view.top, 30);
}

} // namespace
} // namespace hoplot
