#include "map/map_view.h"

#include <gtest/gtest.h>

#include "map/recording_listener.h"

namespace hoplot {
namespace {

using requests = std::vector<std::string>;

TEST(MapView, ZoomAndLevelFollowTheRegion) {
    const struct {
        int right, bottom;
        int zoom;
        int level;
    } cases[] = {
        {831, 572, 1, 0},  // the whole world
        {207, 143, 16, 1}, // a quarter as wide and high
        {415, 286, 4, 0},  // a half: still Low
        {103, 71, 64, 1},  // an eighth: the last Medium zoom
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

    // A sixteenth as wide and high draws High.
    map_view view = sized_view();
    set_region(view, 0, 0, 831 / 16, 572 / 16);
    recording_listener listener;
    update_zoom(view, listener);
    select_level(view);
    EXPECT_GE(view.zoom, 256);
    EXPECT_EQ(view.level, 2);
}

TEST(MapView, LevelThresholdsAreInclusiveUpperBounds) {
    const struct {
        int zoom, level;
    } cases[] = {{0, 0}, {1, 0}, {4, 0}, {5, 1}, {64, 1}, {65, 2}, {256, 2}, {257, 2}, {64000, 2}};
    for (const auto& c : cases) {
        map_view view;
        view.zoom = c.zoom;
        select_level(view);
        EXPECT_EQ(view.level, c.level) << c.zoom;
    }
}

TEST(MapView, MagnificationLimitCutsTheRegionAndAsksTheWindow) {
    const struct {
        int max_level;
        int zoom;
        int width;
        requests asked;
    } cases[] = {
        {3, 64000, 3, {"message Can't zoom in any further"}}, // 831 / sqrt(64000) = 3.28
        {2, 256, 52, {"missing maps"}},                       // 831 / 16 = 51.9
        {1, 64, 104, {"missing maps"}},                       // 831 / 8 = 103.9
        {0, 4, 416, {"missing maps"}},
    };
    for (const auto& c : cases) {
        map_view view = sized_view(world_width, world_height, c.max_level);
        set_region(view, 100, 100, 101, 101);
        recording_listener listener;
        update_zoom(view, listener);
        EXPECT_EQ(view.zoom, c.zoom) << c.max_level;
        EXPECT_EQ(listener.requests, c.asked) << c.max_level;
        EXPECT_EQ(view.left, 100);
        EXPECT_EQ(visible_width(view), c.width) << c.max_level;
        EXPECT_EQ(visible_height(view), static_cast<int>(c.width / (831.0 / 572))) << c.max_level;
        EXPECT_FALSE(view.wrapped);
    }
}

TEST(MapView, WithoutAnyLevelTheViewCannotZoomAtAll) {
    map_view view = sized_view(world_width, world_height, -1);
    EXPECT_EQ(view.zoom, 1);
    set_region(view, 0, 0, 207, 143);
    recording_listener listener;
    update_zoom(view, listener);
    select_level(view);
    EXPECT_EQ(view.zoom, 1);
    EXPECT_EQ(view.level, 0);
    EXPECT_EQ(listener.requests, requests{"missing maps"});
    EXPECT_GE(visible_width(view), 830);
}

TEST(MapView, LimitAcrossTheSeamKeepsTheLimitsSize) {
    map_view view = sized_view();
    set_region(view, 829, 0, 830, 1);
    recording_listener listener;
    update_zoom(view, listener);
    EXPECT_TRUE(view.wrapped);
    EXPECT_EQ(view.left, 829);
    EXPECT_EQ(view.right, 1);
    EXPECT_EQ(visible_width(view), 3);
    EXPECT_EQ(visible_height(view), 2);
}

TEST(MapView, LimitThatEndsTheCrossingClearsTheWrappedFlag) {
    map_view view = sized_view();
    set_region(view, 826, 0, 1, 1, true);
    recording_listener listener;
    update_zoom(view, listener);
    EXPECT_FALSE(view.wrapped);
    EXPECT_EQ(view.right, 829);
    EXPECT_EQ(visible_width(view), 3);
}

TEST(MapView, LimitNearTheBottomMovesTheRegionUp) {
    map_view view = sized_view(world_width, world_height, 1);
    set_region(view, 10, 560, 20, 572);
    recording_listener listener;
    update_zoom(view, listener);
    EXPECT_EQ(view.bottom, 572);
    EXPECT_EQ(visible_height(view), 71);
    EXPECT_EQ(visible_width(view), 103); // refitted from the height: 71 * 1.4528
    EXPECT_EQ(view.zoom, 64);
}

TEST(MapView, HorizontalShiftWrapsAtTheSeam) {
    map_view view = sized_view();
    shift_view_x(view, 1);
    EXPECT_EQ(view.left, 830);
    EXPECT_EQ(view.right, 830);
    EXPECT_TRUE(view.wrapped);
    EXPECT_EQ(view.x_offset, 1);
    EXPECT_EQ(visible_width(view), 831);

    shift_view_x(view, -1);
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(view.right, 831);
    EXPECT_FALSE(view.wrapped);
    EXPECT_EQ(view.x_offset, 0);

    set_region(view, 100, 0, 200, 572);
    shift_view_x(view, 200); // the right edge lands on 0: it becomes the world's east edge
    EXPECT_EQ(view.left, 731);
    EXPECT_EQ(view.right, 831);
    EXPECT_FALSE(view.wrapped);
}

TEST(MapView, VerticalShiftIsNeitherWrappedNorClamped) {
    map_view view = sized_view();
    for (int i = 0; i < 3; ++i)
        shift_view_y(view, -300);
    EXPECT_EQ(view.top, 900);
    EXPECT_EQ(view.bottom, 1472);
    EXPECT_EQ(view.y_offset, -900);
}

TEST(MapView, CornersAreFittedToTheWorldsAspectRatio) {
    const map_view view = sized_view();
    const struct {
        pixel_point p0, p1;
        pixel_point height_fitted, width_fitted;
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
        int left, top, right, bottom;
        bool wrapped;
    } cases[] = {
        {{10, 20}, {110, 90}, true, 10, 20, 110, 90, false},  // top left to bottom right
        {{110, 90}, {10, 20}, false, 10, 20, 110, 90, false}, // bottom right to top left
        {{700, 90}, {100, 20}, true, 700, 20, 100, 90, true}, // the same, across the seam
        {{10, 90}, {110, 20}, true, 10, 20, 110, 90, false},  // bottom left to top right
        {{110, 20}, {10, 90}, false, 10, 20, 110, 90, false}, // top right to bottom left
        {{700, 20}, {100, 90}, true, 700, 20, 100, 90, true}, // the same, across the seam
    };
    for (const auto& c : cases) {
        map_view view = sized_view();
        view.wrapped = c.wrapped_before;
        set_view_rect(view, c.p0, c.p1);
        EXPECT_EQ(view.left, c.left) << c.p0.x << " " << c.p1.x;
        EXPECT_EQ(view.top, c.top) << c.p0.x << " " << c.p1.x;
        EXPECT_EQ(view.right, c.right) << c.p0.x << " " << c.p1.x;
        EXPECT_EQ(view.bottom, c.bottom) << c.p0.x << " " << c.p1.x;
        EXPECT_EQ(view.wrapped, c.wrapped) << c.p0.x << " " << c.p1.x;
    }
}

TEST(MapView, ResizeShowsTheWholeWorldInTheSameMode) {
    map_view view = sized_view();
    view.globe_mode = true;
    view.zoomed = true;
    set_region(view, 700, 10, 100, 100, true);
    view.x_offset = 55;
    view.y_offset = 7;
    recording_listener listener;
    resize_view(view, 600, 300, listener);
    EXPECT_EQ(view.world_w, 831);
    EXPECT_EQ(view.world_h, 572);
    EXPECT_EQ(view.client_w, 600);
    EXPECT_EQ(view.page_w, 600);
    EXPECT_EQ(view.page_h, 300);
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(view.right, 831);
    EXPECT_EQ(view.bottom, 572);
    EXPECT_FALSE(view.wrapped);
    EXPECT_EQ(view.x_offset, 0);
    EXPECT_EQ(view.y_offset, 7);
    EXPECT_TRUE(view.globe_mode);
    EXPECT_TRUE(view.zoomed);
    EXPECT_EQ(view.zoom, 1);

    resize_view(view, 10, 0, listener); // a minimised window changes nothing
    EXPECT_EQ(view.client_w, 600);
}

TEST(MapView, GlobeRadiusFitsTheSmallerSide) {
    const struct {
        int w, h, radius;
    } cases[] = {{831, 572, 277}, {600, 300, 100}, {300, 600, 100}, {601, 400, 200}, {2, 2, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(globe_radius_for(c.w, c.h), c.radius) << c.w;
}

TEST(MapView, ModeSwitchesResetTheViewAndAskForMenuAndScrollBars) {
    map_view view = sized_view(1000, 700);
    set_region(view, 10, 10, 110, 80);
    view.zoomed = true;
    view.y_offset = 40;
    recording_listener listener;
    set_globe_mode(view, listener);
    EXPECT_TRUE(view.globe_mode);
    EXPECT_EQ(listener.requests, (requests{"check globe", "scroll bars"}));
    EXPECT_EQ(view.right, 831);
    EXPECT_EQ(view.y_offset, 0);
    EXPECT_FALSE(view.zoomed);
    EXPECT_EQ(view.page_w, 831);
    EXPECT_EQ(view.page_h, 572);

    listener.requests.clear();
    set_globe_mode(view, listener); // already a globe: nothing at all
    EXPECT_EQ(listener.requests, requests{});

    set_flat_mode(view, listener);
    EXPECT_FALSE(view.globe_mode);
    EXPECT_EQ(listener.requests, (requests{"check flat", "scroll bars"}));
    EXPECT_EQ(view.page_w, 1000);
    EXPECT_EQ(view.page_h, 700);
}

TEST(MapView, ReadOutsGiveDegreesWithTheirHemisphere) {
    const map_view view = sized_view();
    const struct {
        double world;
        double degrees;
        char letter;
    } longitudes[] = {{0, 180, 'W'}, {415.5, 0, 'E'}, {831, 180, 'E'}, {207.75, 90, 'W'}},
      latitudes[] = {{0, 90, 'N'}, {286, 0, 'N'}, {572, 90, 'S'}, {429, 45, 'S'}};
    for (const auto& c : longitudes) {
        const auto out = longitude_read_out(view, c.world);
        EXPECT_NEAR(out.degrees, c.degrees, 1e-9) << c.world;
        EXPECT_EQ(out.letter, c.letter) << c.world;
    }
    for (const auto& c : latitudes) {
        const auto out = latitude_read_out(view, c.world);
        EXPECT_NEAR(out.degrees, c.degrees, 1e-9) << c.world;
        EXPECT_EQ(out.letter, c.letter) << c.world;
    }
}

} // namespace
} // namespace hoplot
