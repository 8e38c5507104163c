#include "map/feature_drawing.h"

#include <gtest/gtest.h>

#include "map/map_test_files.h"
#include "map/projection.h"
#include "map/recording_canvas.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

using namespace test;

// Low cells (ix × 4 + iy) are 207.75 pixels wide and 143 high on the whole world.
std::vector<recording_canvas::segment> draw(const map_view& view, const stored_cells& cells) {
    recording_canvas canvas;
    draw_feature_set(canvas, view, level_with(4, cells));
    return canvas.segments;
}

// A line that jumps across the map is drawn as two pieces running off opposite edges: the first
// from the old point to the edge at the new point's height, the second from the other edge at
// the old point's height to the new point.
TEST(flat_features, a_line_jumping_across_the_map_is_drawn_as_two_pieces_off_opposite_edges) {
    const struct {
        const char* what;
        map_view view;
        stored_cells cells;
        pixel_point from, to; // where the two points land
        int first_edge;
    } rows[] = {
        {"eastward jump", sized_view(), {{2, {{10, 128, 250, 100}}}}, {8, 215}, {203, 230}, 0},
        {"westward jump", sized_view(), {{2, {{250, 100, 10, 128}}}}, {203, 230}, {8, 215}, 831},
        // Scrolled so that the map's edge lies at world x 420: a coastline crossing it.
        {"scrolled across the edge",
         region_view(420, 0, 420, 572),
         {{10, {{2, 128, 10, 128}}}},
         {828, 215},
         {4, 215},
         831},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const auto segments = draw(r.view, r.cells);
        ASSERT_EQ(segments.size(), 2u);
        EXPECT_EQ(segments[0].from, r.from);
        EXPECT_EQ(segments[0].to, (pixel_point{r.first_edge, r.to.y}));
        EXPECT_EQ(segments[1].from, (pixel_point{831 - r.first_edge, r.from.y}));
        EXPECT_EQ(segments[1].to, r.to);
    }
    // A jump of 100 pixels or less is never split: steps 10 and 133 land on x = 8 and 108.
    for (const auto& [to_step, pieces] : {std::pair{133, 1u}, {134, 2u}, {60, 1u}})
        EXPECT_EQ(draw(sized_view(), {{2, {{10, 128, std::uint8_t(to_step), 128}}}}).size(), pieces)
            << to_step;
}

TEST(flat_features, zoomed_in_only_segments_on_the_box_are_drawn_on_both_sides_of_the_seam) {
    // Region 400..500 by 100..169: world x 450 and 480 are on screen, 520 lands at about x = 997.
    auto segments = draw(region_view(400, 100, 500, 169, 1), {{11, {{43, 23, 80, 23, 129, 23}}}});
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_GT(segments[0].to.x, segments[0].from.x);
    EXPECT_LE(segments[0].to.x, 831);

    // From world x 800 eastward over the seam to 30: the cells on both sides, inside the window.
    segments = draw(
        region_view(800, 200, 30, 260, 1),
        {{2, {{12, 100, 18, 100}}}, {14, {{242, 100, 249, 100}}}, {6, {{100, 100, 110, 100}}}});
    ASSERT_EQ(segments.size(), 2u);
    for (const auto& s : segments) {
        EXPECT_GE(std::min(s.from.x, s.to.x), 0);
        EXPECT_LE(std::max(s.from.x, s.to.x), 831);
    }
}

TEST(globe_features, a_line_passing_behind_the_limb_is_closed_by_a_chord) {
    // Turned by 100 world pixels: world x 150 and 160 face the viewer, 50 is behind the limb.
    map_view view = globe_view();
    view.x_offset = 100;
    const auto segments = draw(view, {{2, {{185, 128, 62, 128, 197, 128}}}});
    ASSERT_EQ(segments.size(), 1u);
    const auto on_globe = [&](double wx, double wy) {
        wx = wrap_x(view, wx, 100.0);
        EXPECT_TRUE(project_globe(view, wx, wy));
        return pixel_point{round_pixel(wx), round_pixel(wy)};
    };
    const double wy = (1024 - (2 * 256 + 128)) * 572 / 1024.0;
    EXPECT_EQ(segments[0].from, on_globe(185 * 831 / 1024.0, wy));
    EXPECT_EQ(segments[0].to, on_globe(197 * 831 / 1024.0, wy));
}

} // namespace
} // namespace hoplot
