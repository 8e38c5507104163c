#include "map/view_input.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

#include "map/projection.h"
#include "map/test_views.h"
#include "map/view_history.h"

namespace hoplot {
namespace {

using namespace test;

std::array<int, 5> region_of(const map_view& view) {
    return {view.left, view.top, view.right, view.bottom, view.wrapped};
}

bool same_view(const map_view& a, const map_view& b) {
    return region_of(a) == region_of(b) && a.globe_mode == b.globe_mode &&
           a.x_offset == b.x_offset && a.y_offset == b.y_offset && a.zoom == b.zoom &&
           a.page_w == b.page_w && a.page_h == b.page_h && a.zoomed == b.zoomed;
}

// The world x under client x, where the flat projection puts it (not rounded).
double world_x_under(const map_view& view, int sx) {
    return std::fmod(sx / horizontal_scale(view) + view.left, view.world_w);
}

TEST(band_zoom, a_band_gives_the_same_view_from_whichever_corner_it_is_dragged) {
    map_view wrapped = region_view(700, 100, 100, 259);
    const struct {
        map_view view;
        pixel_point a, b;
        std::array<int, 5> region;
    } rows[] = {{sized_view(), {100, 100}, {308, 243}, {100, 100, 308, 243, false}},
                // Across the seam the region keeps its left edge east of its right edge.
                {wrapped, {300, 100}, {600, 306}, {783, 128, 36, 185, true}}};
    for (const auto& r : rows) {
        for (const auto& [p0, p1] : {std::pair{r.a, r.b},
                                     {r.b, r.a},
                                     {pixel_point{r.a.x, r.b.y}, pixel_point{r.b.x, r.a.y}},
                                     {pixel_point{r.b.x, r.a.y}, pixel_point{r.a.x, r.b.y}}}) {
            map_view view = r.view;
            view_history history;
            recording_listener listener;
            ASSERT_TRUE(zoom_to_band(view, history, p0, p1, listener));
            EXPECT_EQ(region_of(view), r.region) << p0.x << "," << p0.y;
            EXPECT_EQ(history.size(), 1u);
            EXPECT_TRUE(view.zoomed);
            history.undo(view);
            EXPECT_TRUE(same_view(view, r.view));
        }
    }
}

TEST(band_zoom, the_band_end_is_cut_at_each_edge_keeping_the_world_ratio_and_direction) {
    const struct {
        pixel_point p0, m, p1;
    } rows[] = {
        {{400, 100}, {-50, 150}, {0, 375}},   // left: height refitted
        {{400, 100}, {900, 150}, {831, 396}}, // right
        {{400, 100}, {100, 50}, {255, 0}},    // top: width refitted, still to the west
        {{400, 500}, {700, 560}, {504, 572}}, // bottom
        {{400, 300}, {500, 400}, {500, 368}}, // inside: only the ratio
    };
    const map_view view = sized_view();
    for (const auto& r : rows) {
        const pixel_point p1 = constrain_band_end(view, r.p0, r.m);
        EXPECT_EQ(p1, r.p1) << r.m.x << "," << r.m.y;
        const double ratio = std::abs(p1.x - r.p0.x) / (831.0 / 572);
        EXPECT_NEAR(std::abs(p1.y - r.p0.y), ratio, 1.0);
    }
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
    // The region keeps the band's left edge and height, widened eastward to the world's ratio.
    EXPECT_NEAR(view.left, 367, 2);
    EXPECT_NEAR((view.top + view.bottom) / 2.0, 286, 2);
    EXPECT_GT(view.zoom, 4);

    // Scrolled down by 50, the same band lies over rows 50 higher.
    map_view scrolled = globe_view();
    shift_view_y(scrolled, 50);
    ASSERT_TRUE(zoom_to_band(scrolled, history, a, b, listener));
    EXPECT_EQ(scrolled.top, view.top - 50);
    EXPECT_EQ(scrolled.bottom, view.bottom - 50);

    // In the black corner, or without width: the view and its history as they were.
    for (const auto& [p0, p1] : {std::pair{pixel_point{0, 0}, pixel_point{60, 41}},
                                 {pixel_point{400, 200}, pixel_point{400, 300}}}) {
        map_view untouched = globe_view();
        view_history none;
        recording_listener quiet;
        EXPECT_FALSE(zoom_to_band(untouched, none, p0, p1, quiet));
        EXPECT_TRUE(same_view(untouched, globe_view()));
        EXPECT_TRUE(none.empty());
        EXPECT_TRUE(quiet.requests.empty());
    }
}

TEST(wheel_zoom, a_notch_doubles_or_halves_the_zoom_keeping_the_point_under_the_pointer) {
    map_view wrapped = region_view(700, 100, 100, 259);
    recording_listener quiet;
    update_zoom(wrapped, quiet);
    for (const map_view& start : {sized_view(), wrapped}) {
        for (const pixel_point m : {pixel_point{0, 0}, {416, 286}, {800, 500}, {130, 40}}) {
            for (const bool in : {true, false}) {
                if (!in && start.zoom == 1) continue;
                map_view view = start;
                view_history history;
                recording_listener listener;
                const double wx = world_x_under(view, m.x);
                const double wy = m.y / vertical_scale(view) + view.top;
                ASSERT_TRUE(zoom_about(view, history, m, in, listener));
                const double dx = std::fabs(world_x_under(view, m.x) - wx);
                EXPECT_LE(std::min(dx, 831 - dx), 1.0) << m.x << (in ? " in" : " out");
                EXPECT_NEAR(m.y / vertical_scale(view) + view.top, wy, 1.0);
                const double factor = static_cast<double>(view.zoom) / start.zoom;
                EXPECT_NEAR(factor, in ? 2.0 : 0.5, in ? 0.2 : 0.05);
                EXPECT_EQ(history.size(), 1u);
            }
        }
    }
    map_view whole = sized_view();
    view_history history;
    recording_listener listener;
    EXPECT_FALSE(zoom_about(whole, history, {100, 100}, false, listener));
    EXPECT_TRUE(history.empty());
}

TEST(wheel_zoom, stops_at_the_magnification_limit_with_its_message) {
    map_view view = region_view(400, 200, 403, 202);
    view.max_level = 3;
    view_history history;
    recording_listener listener;
    EXPECT_TRUE(zoom_about(view, history, {416, 286}, true, listener));
    EXPECT_EQ(listener.requests, (std::vector<std::string>{"message Can't zoom in any further"}));
    EXPECT_EQ(view.zoom, 64000);
}

TEST(scroll_bars, thumb_track_shows_the_page_centre_in_degrees) {
    const map_view view = sized_view();
    const struct {
        bool longitude;
        int position, page;
        const char* text;
    } rows[] = {{true, 831, 831, "0.000000\u00b0 E"},       {true, 1662, 0, "180.000000\u00b0 E"},
                {true, 831 + 831, 831, "0.000000\u00b0 E"}, {true, 0, 0, "180.000000\u00b0 W"},
                {true, 100, 31, "129.963899\u00b0 W"},      {false, 0, 572, "0.000000\u00b0 N"},
                {false, 0, 286, "45.000000\u00b0 N"},       {false, 500, 144, "90.000000\u00b0 S"}};
    for (const auto& r : rows)
        EXPECT_EQ(r.longitude ? longitude_track_text(view, r.position, r.page)
                              : latitude_track_text(view, r.position, r.page),
                  r.text)
            << r.position;
}

TEST(scroll_bars, every_step_is_one_undo_step_and_vertical_steps_pass_the_poles) {
    const map_view start = sized_view();
    map_view view = start;
    view_history history;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(scroll_x(view, history, scroll_step::line_back, 831), 1);
    EXPECT_EQ(region_of(view), (std::array{821, 0, 821, 572, 1}));
    EXPECT_EQ(scroll_y(view, history, scroll_step::line_back, 572), 1);
    EXPECT_EQ(view.top, -1); // beyond the north pole
    EXPECT_EQ(scroll_x(view, history, scroll_step::page_forward, 200), -200);
    EXPECT_EQ(view.left, 190);
    EXPECT_EQ(scroll_y(view, history, scroll_step::line_forward, 572), -1);
    EXPECT_EQ(history.size(), 13u);
    while (history.undo(view)) {
    }
    EXPECT_TRUE(same_view(view, start));

    scroll_x_to(view, history, 831 + 200); // from a left edge of 0
    EXPECT_EQ(view.left, 200);
    scroll_x_to(view, history, 50);
    EXPECT_EQ(view.left, 50);
    scroll_y_to(view, history, 30);
    EXPECT_EQ(view.top, 30);
    EXPECT_EQ(history.size(), 3u);
}

TEST(band_zoom, refused_with_a_message_while_the_globe_turns) {
    map_view view = globe_view();
    recording_listener listener;
    EXPECT_FALSE(refuse_zoom_while_rotating(view, listener));
    view.rotating = true;
    EXPECT_TRUE(refuse_zoom_while_rotating(view, listener));
    EXPECT_EQ(listener.requests, (std::vector<std::string>{"message Can't zoom when rotating"}));
}

} // namespace
} // namespace hoplot
