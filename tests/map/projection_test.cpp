#include "map/projection.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

#include "map/recording_listener.h"

namespace hoplot {
namespace {

TEST(Projection, RoundingAddsAHalfAndTruncatesTowardZero) {
    const struct {
        double value;
        int pixel;
    } cases[] = {
        {0.49, 0},        {0.5, 1},          {415.5, 416},
        {-0.7, 0},        {-1.7, -1},        {-0.4, 0},
        {1e300, INT_MAX}, {-1e300, INT_MIN}, {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(round_pixel(c.value), c.pixel) << c.value;
}

TEST(Projection, WholeWorldMapsUnitsOntoTheMapArea) {
    const map_view view = sized_view();
    const struct {
        int x, y;
        pixel_point screen;
    } cases[] = {{32768, 32768, {416, 286}}, {0, 0, {0, 0}}, {65536, 65536, {831, 572}}};
    for (const auto& c : cases)
        EXPECT_EQ(map_to_screen(view, c.x, c.y), c.screen) << c.x;
}

TEST(Projection, FlatMapAreaStaysFixedWhateverTheWindowSize) {
    // A larger window leaves a margin, a smaller one cuts the map off: the world's far corner
    // lands on (831, 572) either way.
    for (const auto& size :
         {pixel_point{831, 572}, pixel_point{1200, 900}, pixel_point{400, 300}}) {
        const map_view view = sized_view(size.x, size.y);
        EXPECT_EQ(map_to_screen(view, 65536, 65536), (pixel_point{831, 572})) << size.x;
    }
}

TEST(Projection, FlatProjectionAndItsInverseAgreeOnZoomedAndWrappedRegions) {
    struct region {
        int left, top, right, bottom;
        bool wrapped;
    };
    const region regions[] = {{0, 0, 831, 572, false},
                              {100, 50, 307, 193, false},
                              {700, 10, 100, 159, true},
                              {830, 0, 830, 572, true},
                              {0, -40, 831, 532, false}};
    for (const auto& r : regions) {
        map_view view = sized_view();
        set_region(view, r.left, r.top, r.right, r.bottom, r.wrapped);
        for (int sx = 0; sx <= 831; sx += 37) {
            for (int sy = 0; sy <= 572; sy += 41) {
                int wx = sx;
                int wy = sy;
                unproject_flat(view, wx, wy);
                double px = wx;
                double py = wy;
                project_flat(view, px, py);
                // One world pixel of rounding is at most one screen pixel times the scale.
                EXPECT_NEAR(px, sx, horizontal_scale(view)) << r.left << " " << sx;
                EXPECT_NEAR(py, sy, vertical_scale(view)) << r.left << " " << sy;
            }
        }
    }
}

TEST(Projection, WrappedRegionPutsBothSidesOfTheSeamOnScreen) {
    map_view view = sized_view();
    set_region(view, 700, 0, 100, 572, true); // 231 world pixels across the seam
    double east = 750;
    double west = 50;
    double y = 0;
    project_flat(view, east, y);
    project_flat(view, west, y);
    const double scale = 831.0 / 231;
    EXPECT_DOUBLE_EQ(east, 50 * scale);
    EXPECT_DOUBLE_EQ(west, 181 * scale);
}

TEST(Projection, WrapXBringsASumBackByOneWorldWidth) {
    const map_view view = sized_view();
    const struct {
        int v, d, result;
    } cases[] = {{0, -1, 830}, {830, 1, 831}, {831, 1, 1}, {10, 5, 15}, {0, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(wrap_x(view, c.v, c.d), c.result) << c.v << " " << c.d;

    const struct {
        double v, d, result;
    } reals[] = {{830.5, 1, 0.5}, {0.5, -1, 830.5}, {831, 0, 831}, {-0.25, 0, 830.75}};
    for (const auto& c : reals)
        EXPECT_DOUBLE_EQ(wrap_x(view, c.v, c.d), c.result) << c.v;
}

TEST(Globe, OnlyTheFrontHemisphereIsVisibleWithStrictBounds) {
    const map_view view = sized_view();
    const double quarter = 831 / 4.0;
    const struct {
        double wx;
        bool visible;
    } cases[] = {
        {quarter, false}, {3 * quarter, false}, {quarter + 0.01, true}, {3 * quarter - 0.01, true},
        {0, false},       {831, false},         {415.5, true}};
    for (const auto& c : cases) {
        double x = c.wx;
        double y = 100;
        EXPECT_EQ(project_globe(view, x, y), c.visible) << c.wx;
        if (!c.visible) {
            EXPECT_EQ(x, c.wx);
            EXPECT_EQ(y, 100);
        }
    }
}

TEST(Globe, CentreOfTheWorldIsTheCentreOfTheDisc) {
    const map_view view = sized_view(601, 400);
    double x = 415.5;
    double y = 286;
    ASSERT_TRUE(project_globe(view, x, y));
    EXPECT_DOUBLE_EQ(x, 300.5);
    EXPECT_DOUBLE_EQ(y, 200);

    const map_view even = sized_view(600, 400);
    int sx = 300;
    int sy = 200;
    EXPECT_TRUE(unproject_globe(even, sx, sy));
    EXPECT_EQ(sx, 416);
    EXPECT_EQ(sy, 286);
}

TEST(Globe, DiscPointsComeBackWhereTheyWere) {
    const map_view view = sized_view(300, 200); // radius 100, centre (150, 100)
    ASSERT_EQ(view.globe_radius, 100);
    const int r = view.globe_radius;
    for (int sx = 150 - r; sx <= 150 + r; sx += 3) {
        for (int sy = 100 - r; sy <= 100 + r; sy += 3) {
            const double dx = sx - 150;
            const double dy = sy - 100;
            if (dx * dx + dy * dy > 0.8 * r * r) continue;
            int wx = sx;
            int wy = sy;
            ASSERT_TRUE(unproject_globe(view, wx, wy)) << sx << " " << sy;
            double px = wx;
            double py = wy;
            ASSERT_TRUE(project_globe(view, px, py)) << sx << " " << sy;
            EXPECT_NEAR(px, sx, 1.5) << sy;
            EXPECT_NEAR(py, sy, 1.5) << sx;
        }
    }
}

TEST(Globe, PointsOffTheDiscLieBeyondTheLimbOnTheirSide) {
    // Every point of the window off the disc, the horizontal centre line included, gives a
    // number beyond the limb of its own half: never the centre, never a non-number.
    const map_view view = sized_view(500, 300); // radius 100, centre (250, 150)
    ASSERT_EQ(view.globe_radius, 100);
    const double centre = 831 / 2.0;
    const double quarter = 831 / 4.0;
    for (int sx = 0; sx <= 500; sx += 2) {
        for (int sy = 0; sy <= 300; sy += 2) {
            const int dx = sx - 250;
            const int dy = sy - 150;
            if (dx == 0 || dx * dx + dy * dy <= 100 * 100) continue;
            int wx = sx;
            int wy = sy;
            EXPECT_FALSE(unproject_globe(view, wx, wy));
            if (dx > 0)
                EXPECT_GE(wx, std::floor(centre + quarter)) << sx << " " << sy;
            else
                EXPECT_LE(wx, std::ceil(centre - quarter)) << sx << " " << sy;
        }
    }
}

TEST(Globe, PointJustOffTheRimIsMoreThanAQuarterWorldFromTheCentre) {
    const map_view view = sized_view(300, 200);
    int wx = 150 + 101;
    int wy = 99;
    EXPECT_FALSE(unproject_globe(view, wx, wy));
    EXPECT_GT(std::abs(wx - 831 / 2.0), 831 / 4.0);
}

TEST(Globe, HorizontalLineOffTheDiscGivesTheLimbPoint) {
    const map_view view = sized_view(300, 200);
    int rim_x = 250;
    int rim_y = 100;
    ASSERT_TRUE(unproject_globe(view, rim_x, rim_y));
    int wx = 280;
    int wy = 100;
    EXPECT_FALSE(unproject_globe(view, wx, wy));
    EXPECT_EQ(wx, rim_x);
    EXPECT_EQ(wy, rim_y);

    int left_rim_x = 50;
    int left_rim_y = 100;
    ASSERT_TRUE(unproject_globe(view, left_rim_x, left_rim_y));
    wx = 20;
    wy = 100;
    EXPECT_FALSE(unproject_globe(view, wx, wy));
    EXPECT_EQ(wx, left_rim_x);
}

} // namespace
} // namespace hoplot
