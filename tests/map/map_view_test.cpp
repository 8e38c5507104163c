#include "map/map_view.h"

#include <array>
#include <gtest/gtest.h>

#include "map/recording_listener.h"

namespace hoplot {
namespace {

using requests = std::vector<std::string>;

TEST(MapView, ZoomAndLevelFollowTheRegion) {
    const struct {
        int right, bottom, zoom, level;
    } cases[] = {
        {831, 572, 1, 0},  // the whole world
        {415, 286, 4, 0},  // a half: still Low
        {207, 143, 16, 1}, // a quarter
        {103, 71, 64, 1},  // an eighth: the last Medium zoom
        {51, 35, 266, 2},  // a sixteenth
    };
    for (const auto& c : cases) {
        map_view view = sized_view();
        set_region(view, 0, 0, c.right, c.bottom);
        recording_listener listener;
        update_zoom(view, listener);
        select_level(view);
        EXPECT_EQ(view.zoom, c.zoom) << c.right;
        EXPECT_EQ(view.level, c.level) << c.right;
        EXPECT_EQ(listener.requests, requests{});
    }
}

TEST(MapView, MagnificationLimitCutsTheRegionAndAsksTheWindow) {
    const struct {
        int max_level, zoom, width;
        requests asked;
    } cases[] = {
        {3, 64000, 3, {"message Can't zoom in any further"}}, // 831 / sqrt(64000) = 3.28
        {2, 256, 52, {"missing maps"}},
        {1, 64, 104, {"missing maps"}},
        {0, 4, 416, {"missing maps"}},
        {-1, 1, 831, {"missing maps"}}, // no level loaded: no magnification at all
    };
    for (const auto& c : cases) {
        map_view view = sized_view(world_width, world_height, c.max_level);
        EXPECT_EQ(view.zoom, 1);
        set_region(view, 0, 100, 1, 101);
        recording_listener listener;
        update_zoom(view, listener);
        select_level(view);
        EXPECT_EQ(view.zoom, c.zoom) << c.max_level;
        EXPECT_LE(view.level, c.max_level < 0 ? 0 : c.max_level);
        EXPECT_EQ(listener.requests, c.asked) << c.max_level;
        EXPECT_EQ(view.left, 0);
        EXPECT_EQ(visible_width(view), c.width) << c.max_level;
        EXPECT_EQ(visible_height(view), static_cast<int>(c.width / (831.0 / 572))) << c.max_level;
    }
}

TEST(MapView, MagnificationLimitKeepsAValidRegionAtTheSeamAndTheBottom) {
    const struct {
        int left, top, right, bottom;
        bool wrapped;
        int max_level;
        int new_right, new_top, new_bottom;
        bool new_wrapped;
    } cases[] = {
        {829, 0, 830, 1, false, 3, 1, 0, 2, true},          // pushed across the seam
        {826, 0, 1, 1, true, 3, 829, 0, 2, false},          // no longer across it
        {10, 560, 20, 572, false, 1, 113, 501, 572, false}, // moved up, width refitted
    };
    for (const auto& c : cases) {
        map_view view = sized_view(world_width, world_height, c.max_level);
        set_region(view, c.left, c.top, c.right, c.bottom, c.wrapped);
        recording_listener listener;
        update_zoom(view, listener);
        EXPECT_EQ(view.left, c.left);
        EXPECT_EQ(view.right, c.new_right) << c.left;
        EXPECT_EQ(view.top, c.new_top) << c.left;
        EXPECT_EQ(view.bottom, c.new_bottom) << c.left;
        EXPECT_EQ(view.wrapped, c.new_wrapped) << c.left;
    }
}

TEST(MapView, ShiftsMoveTheRegionAndWrapOnlyHorizontally) {
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

TEST(MapView, CornersAreFittedToTheWorldsAspectRatio) {
    const map_view view = sized_view();
    const struct {
        pixel_point p0, p1, height_fitted, width_fitted;
    } cases[] = {
        {{0, 0}, {831, 572}, {831, 572}, {831, 572}},    // the ratio already: unchanged
        {{0, 0}, {100, 10}, {100, 68}, {14, 10}},        // 100 / 1.4528, 10 * 1.4528
        {{50, 300}, {150, 200}, {150, 232}, {195, 200}}, // dragged upward
        {{800, 0}, {810, 100}, {810, 6}, {114, 100}},    // the new corner crosses the seam
    };
    for (const auto& c : cases) {
        pixel_point p1 = c.p1;
        fit_height(view, c.p0, p1);
        EXPECT_EQ(p1, c.height_fitted) << c.p0.x << " " << c.p1.x;
        p1 = c.p1;
        fit_width(view, c.p0, p1);
        EXPECT_EQ(p1, c.width_fitted) << c.p0.x << " " << c.p1.x;
    }
}

TEST(MapView, RegionFromTwoCornersInAnyOrder) {
    const struct {
        pixel_point p0, p1;
        bool wrapped_before;
        std::array<int, 4> region;
        bool wrapped;
    } cases[] = {
        {{10, 20}, {110, 90}, true, {10, 20, 110, 90}, false},  // top left to bottom right
        {{110, 90}, {10, 20}, false, {10, 20, 110, 90}, false}, // bottom right to top left
        {{700, 90}, {100, 20}, true, {700, 20, 100, 90}, true}, // the same, across the seam
        {{10, 90}, {110, 20}, true, {10, 20, 110, 90}, false},  // bottom left to top right
        {{110, 20}, {10, 90}, false, {10, 20, 110, 90}, false}, // top right to bottom left
        {{700, 20}, {100, 90}, true, {700, 20, 100, 90}, true}, // the same, across the seam
    };
    for (const auto& c : cases) {
        map_view view = sized_view();
        view.wrapped = c.wrapped_before;
        set_view_rect(view, c.p0, c.p1);
        EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom}), c.region) << c.p0.x;
        EXPECT_EQ(view.wrapped, c.wrapped) << c.p0.x << " " << c.p1.x;
    }
}

TEST(MapView, ResizeShowsTheWholeWorldInTheSameMode) {
    map_view view = sized_view();
    view.globe_mode = view.zoomed = true;
    set_region(view, 700, 10, 100, 100, true);
    view.x_offset = 55;
    view.y_offset = 7;
    recording_listener listener;
    resize_view(view, 600, 300, listener);
    EXPECT_EQ((std::array{view.world_w, view.world_h, view.page_w, view.page_h}),
              (std::array{831, 572, 600, 300}));
    EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom}),
              (std::array{0, 0, 831, 572}));
    EXPECT_EQ((std::array{view.x_offset, view.y_offset, view.zoom}), (std::array{0, 7, 1}));
    EXPECT_TRUE(view.globe_mode && view.zoomed && !view.wrapped);
    EXPECT_EQ(view.globe_radius, 100); // a third of the width would not fit the height

    resize_view(view, 10, 0, listener); // a minimised window changes nothing
    EXPECT_EQ(view.client_w, 600);
}

TEST(MapView, ModeSwitchesResetTheViewAndAskForMenuAndScrollBars) {
    map_view view = sized_view(1000, 700);
    set_region(view, 10, 10, 110, 80);
    view.zoomed = true;
    recording_listener listener;
    set_globe_mode(view, listener);
    set_globe_mode(view, listener); // already a globe: nothing at all
    EXPECT_TRUE(view.globe_mode);
    EXPECT_EQ(listener.requests, (requests{"check globe", "scroll bars"}));
    EXPECT_EQ((std::array{view.right, view.page_w, view.page_h}), (std::array{831, 831, 572}));
    EXPECT_FALSE(view.zoomed);

    set_flat_mode(view, listener);
    EXPECT_FALSE(view.globe_mode);
    EXPECT_EQ(listener.requests,
              (requests{"check globe", "scroll bars", "check flat", "scroll bars"}));
    EXPECT_EQ((std::array{view.page_w, view.page_h}), (std::array{1000, 700}));
}

TEST(MapView, ReadOutsGiveDegreesWithTheirHemisphere) {
    const map_view view = sized_view();
    const struct {
        double world, longitude;
        char east_west;
        double latitude;
        char north_south;
    } cases[] = {{0, 180, 'W', 90, 'N'}, {286, 56.1, 'W', 0, 'N'}, {429, 5.85, 'E', 45, 'S'}};
    for (const auto& c : cases) {
        const auto lon = longitude_read_out(view, c.world);
        const auto lat = latitude_read_out(view, c.world);
        EXPECT_NEAR(lon.degrees, c.longitude, 0.01) << c.world;
        EXPECT_EQ(lon.letter, c.east_west);
        EXPECT_NEAR(lat.degrees, c.latitude, 1e-9) << c.world;
        EXPECT_EQ(lat.letter, c.north_south);
    }
}

} // namespace
} // namespace hoplot
