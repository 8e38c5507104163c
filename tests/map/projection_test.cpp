#include "map/projection.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "map/recording_listener.h"

namespace hoplot {
namespace {

TEST(Projection, RoundingAddsAHalfAndTruncatesTowardZero) {
    const struct {
        double value;
        int pixel;
    } cases[] = {{0.49, 0},
                 {415.5, 416},
                 {-0.7, 0},
                 {-1.7, -1},
                 {1e300, INT_MAX},
                 {-1e300, INT_MIN},
                 {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(round_pixel(c.value), c.pixel) << c.value;
}

TEST(Projection, WholeWorldFillsTheFixedMapAreaWhateverTheWindowSize) {
    for (const auto& size :
         {pixel_point{831, 572}, pixel_point{1200, 900}, pixel_point{400, 300}}) {
        const map_view view = sized_view(size.x, size.y);
        EXPECT_EQ(map_to_screen(view, 32768, 32768), (pixel_point{416, 286})) << size.x;
        EXPECT_EQ(map_to_screen(view, 0, 0), (pixel_point{0, 0})) << size.x;
        EXPECT_EQ(map_to_screen(view, 65536, 65536), (pixel_point{831, 572})) << size.x;
    }
}

TEST(Projection, FlatProjectionAndItsInverseAgreeOnZoomedAndWrappedRegions) {
    struct region {
        int left, top, right, bottom;
        bool wrapped;
    };
    for (const auto& r : {region{100, 50, 307, 193, false}, region{700, 10, 100, 159, true},
                          region{830, 0, 830, 572, true}, region{0, -40, 831, 532, false}}) {
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
                EXPECT_NEAR(px, sx, horizontal_scale(view)) << r.left << " " << sx;
                EXPECT_NEAR(py, sy, vertical_scale(view)) << r.left << " " << sy;
            }
        }
    }
    // Across the seam, the east side of the region comes first on the screen.
    map_view view = sized_view();
    set_region(view, 700, 0, 100, 572, true);
    double east = 750, west = 50, y = 0;
    project_flat(view, east, y);
    project_flat(view, west, y);
    EXPECT_DOUBLE_EQ(east, 50 * 831.0 / 231);
    EXPECT_DOUBLE_EQ(west, 181 * 831.0 / 231);
}

TEST(Globe, OnlyTheFrontHemisphereIsVisibleWithStrictBounds) {
    const map_view view = sized_view();
    const double quarter = 831 / 4.0;
    const struct {
        double wx;
        bool visible;
    } cases[] = {{quarter, false},           {3 * quarter, false}, {quarter + 0.01, true},
                 {3 * quarter - 0.01, true}, {0, false},           {415.5, true}};
    for (const auto& c : cases) {
        double x = c.wx, y = 100;
        EXPECT_EQ(project_globe(view, x, y), c.visible) << c.wx;
        if (!c.visible) {
            EXPECT_EQ(x, c.wx);
        }
    }
}

TEST(Globe, CentreOfTheWorldIsTheCentreOfTheDisc) {
    double x = 415.5, y = 286;
    ASSERT_TRUE(project_globe(sized_view(601, 400), x, y));
    EXPECT_DOUBLE_EQ(x, 300.5);
    EXPECT_DOUBLE_EQ(y, 200);

    int sx = 300, sy = 200;
    EXPECT_TRUE(unproject_globe(sized_view(600, 400), sx, sy));
    EXPECT_EQ(sx, 416);
    EXPECT_EQ(sy, 286);
}

TEST(Globe, DiscPointsComeBackWhereTheyWere) {
    const map_view view = sized_view(300, 200); // radius 100, centre (150, 100)
    ASSERT_EQ(view.globe_radius, 100);
    for (int sx = 50; sx <= 250; sx += 3) {
        for (int sy = 0; sy <= 200; sy += 3) {
            if ((sx - 150) * (sx - 150) + (sy - 100) * (sy - 100) > 8000) continue;
            int wx = sx, wy = sy;
            ASSERT_TRUE(unproject_globe(view, wx, wy)) << sx << " " << sy;
            double px = wx, py = wy;
            ASSERT_TRUE(project_globe(view, px, py)) << sx << " " << sy;
            EXPECT_NEAR(px, sx, 1.5) << sy;
            EXPECT_NEAR(py, sy, 1.5) << sx;
        }
    }
}

TEST(Globe, PointsOffTheDiscLieBeyondTheLimbOnTheirSide) {
    // Off the disc every point, the horizontal centre line included, gives a position beyond
    // the limb of its own half: never the centre, never a non-number.
    const map_view view = sized_view(500, 300); // radius 100, centre (250, 150)
    ASSERT_EQ(view.globe_radius, 100);
    for (int sx = 0; sx <= 500; sx += 2) {
        for (int sy = 0; sy <= 300; sy += 2) {
            const int dx = sx - 250, dy = sy - 150;
            if (dx == 0 || dx * dx + dy * dy <= 100 * 100) continue;
            int wx = sx, wy = sy;
            EXPECT_FALSE(unproject_globe(view, wx, wy));
            if (dx > 0)
                EXPECT_GE(wx, 831 * 3 / 4) << sx << " " << sy;
            else
                EXPECT_LE(wx, 831 / 4 + 1) << sx << " " << sy;
        }
    }
    int wx = 351, wy = 149; // just off the rim
    EXPECT_FALSE(unproject_globe(view, wx, wy));
    EXPECT_GT(wx - 831 / 2.0, 831 / 4.0);

    // On the horizontal line the position is the limb point of that side.
    for (const auto& [rim, off] : {std::pair{350, 420}, std::pair{150, 60}}) {
        int rim_x = rim, rim_y = 150, wx = off, wy = 150;
        ASSERT_TRUE(unproject_globe(view, rim_x, rim_y));
        EXPECT_FALSE(unproject_globe(view, wx, wy));
        EXPECT_EQ(wx, rim_x);
        EXPECT_EQ(wy, rim_y);
    }
}

} // namespace
} // namespace hoplot
