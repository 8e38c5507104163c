#include "map/feature_drawing.h"

#include <gtest/gtest.h>

#include "map/projection.h"
#include "map/recording_canvas.h"
#include "map/test_levels.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

using test::cell_lines;
using test::level_with;
using test::recording_canvas;

std::vector<recording_canvas::segment> draw(const map_view& view, const map_level& level) {
    recording_canvas canvas;
    draw_feature_set(canvas, view, level);
    return canvas.segments;
}

map_view scrolled_world(int edge) {
    map_view view = test::whole_world_view();
    view.left = view.right = edge;
    view.wrapped = true;
    return view;
}

// A line that jumps across the map is drawn as two pieces running off opposite edges: the first
// from the old point to the edge at the new point's height, the second from the other edge at
// the old point's height to the new point.
TEST(flat_features, a_line_jumping_across_the_map_is_drawn_as_two_pieces_off_opposite_edges) {
    struct row {
        const char* what;
        map_view view;
        cell_lines cell;
        pixel_point from, to; // where the two points land
        int first_edge;
    };
    const row rows[] = {
        {"whole world, eastward jump",
         test::whole_world_view(),
         {0, 2, {{{10, 128}, {250, 100}}}},
         {8, 215},
         {203, 230},
         0},
        {"whole world, westward jump",
         test::whole_world_view(),
         {0, 2, {{{250, 100}, {10, 128}}}},
         {203, 230},
         {8, 215},
         831},
        // Scrolled so that the map's edge lies at world x 420: a coastline crossing it.
        {"scrolled world, across the edge",
         scrolled_world(420),
         {2, 2, {{{2, 128}, {10, 128}}}},
         {828, 215},
         {4, 215},
         831},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        const auto segments = draw(r.view, level_with(4, {r.cell}));
        ASSERT_EQ(segments.size(), 2u);
        EXPECT_EQ(segments[0].from, r.from);
        EXPECT_EQ(segments[0].to, (pixel_point{r.first_edge, r.to.y}));
        EXPECT_EQ(segments[1].from, (pixel_point{831 - r.first_edge, r.from.y}));
        EXPECT_EQ(segments[1].to, r.to);
    }
}

TEST(flat_features, a_jump_of_100_pixels_or_less_is_never_split) {
    // Low cells are 207.75 pixels wide: steps 10 and 133 land on x = 8 and 108, step 134 on 109.
    struct row {
        int to_step;
        std::size_t segments;
    };
    for (const row r : {row{133, 1}, row{134, 2}, row{60, 1}}) {
        SCOPED_TRACE(r.to_step);
        const auto segments = draw(test::whole_world_view(),
                                   level_with(4, {{0, 2, {{{10, 128}, {r.to_step, 128}}}}}));
        EXPECT_EQ(segments.size(), r.segments);
    }
}

TEST(flat_features, zoomed_in_a_segment_with_an_end_off_the_world_box_is_not_drawn) {
    // Region 400..500 by 100..169: world x 450 and 480 are on screen, 520 lands at about x = 997.
    const map_view view = test::region_view(400, 100, 500, 169, 1);
    const auto segments = draw(view, level_with(4, {{2, 3, {{{43, 23}, {80, 23}, {129, 23}}}}}));
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_GT(segments[0].to.x, segments[0].from.x);
    EXPECT_LE(segments[0].to.x, 831);
}

TEST(flat_features, a_region_across_the_seam_shows_the_cells_on_both_sides) {
    // Region from world x 800 eastward over the seam to 30.
    const map_view view = test::region_view(800, 200, 30, 260, 1);
    const auto segments = draw(view, level_with(4, {{0, 2, {{{12, 100}, {18, 100}}}},
                                                    {3, 2, {{{242, 100}, {249, 100}}}},
                                                    {1, 2, {{{100, 100}, {110, 100}}}}}));
    ASSERT_EQ(segments.size(), 2u);
    // West of the seam on screen first is the eastern cell: both pieces lie inside the window.
    for (const auto& s : segments) {
        EXPECT_GE(std::min(s.from.x, s.to.x), 0);
        EXPECT_LE(std::max(s.from.x, s.to.x), 831);
    }
}

TEST(globe_features, a_line_passing_behind_the_limb_is_closed_by_a_chord) {
    // Turned by 100 world pixels: world x 150 and 160 face the viewer, 50 is behind the limb.
    map_view view = test::globe_view();
    view.x_offset = 100;
    const auto segments =
        draw(view, level_with(4, {{0, 2, {{{185, 128}, {62, 128}, {197, 128}}}}}));
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
