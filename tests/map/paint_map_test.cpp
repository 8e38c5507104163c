#include "map/paint_map.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

#include "map/drawing_objects.h"
#include "map/feature_drawing.h"
#include "map/map_test_files.h"
#include "map/projection.h"
#include "map/recording_canvas.h"
#include "map/test_views.h"
#include "trace/route.h"

namespace hoplot {
namespace {

using namespace test;

// One short polyline per layer, each in its own Low cell, empty higher levels, and a city per
// level.
map_view furnished(map_view view) {
    auto maps = std::make_shared<map_data>();
    maps->coastlines[0] = level_with(4, {{6, {{10, 10, 40, 40}}}});
    maps->rivers[0] = level_with(4, {{10, {{10, 10, 40, 40}}}});
    maps->boundaries[0] = level_with(4, {{11, {{10, 10, 40, 40}}}});
    for (auto* layer : {&maps->coastlines, &maps->rivers, &maps->boundaries}) {
        (*layer)[1] = level_with(32, {});
        (*layer)[2] = level_with(256, {});
    }
    view.maps = maps;
    auto cities = std::make_shared<city_lists>();
    const map_point at = map_units(10, 50);
    for (std::size_t level = 0; level < 3; ++level)
        (*cities)[level].push_back({"city" + std::to_string(level), 50, 10, at.x, at.y});
    view.cities = cities;
    view.display_coastlines = view.display_rivers = view.display_boundaries = true;
    view.display_cities = true;
    return view;
}

// In a window taller than the world's shape every layer is cut to the world's frame, so that
// none runs on into the black margins above and below it.
TEST(paint_map, stacks_ground_coastlines_rivers_boundaries_cities_and_route_in_that_order) {
    map_view view = furnished(sized_view(1200, 900));
    route_rec route;
    route.places = {{{{"hop", map_units(-60, -10), 0}}, 1, 0}};
    view.current_route = &route;
    recording_canvas canvas;
    paint_map(canvas, view);

    ASSERT_EQ(canvas.fills.size(), 1u);
    const auto& ground = canvas.fills[0];
    EXPECT_EQ(ground.order, 0u);
    EXPECT_EQ((std::array{ground.colour, ground.right, ground.bottom}), (std::array{0, 1200, 900}));
    ASSERT_EQ(canvas.clips.size(), 1u);
    const auto& clip = canvas.clips[0];
    EXPECT_EQ(
        (std::array{clip.left, clip.top, clip.right, clip.bottom, static_cast<int>(clip.order)}),
        (std::array{0, 37, 1200, 864, 1}));
    ASSERT_EQ(canvas.segments.size(), 3u);
    ASSERT_EQ(canvas.ovals.size(), 2u);
    EXPECT_EQ((std::array{canvas.segments[0].pen, canvas.segments[1].pen, canvas.segments[2].pen}),
              (std::array{coastline_pen, river_pen, boundary_pen}));
    EXPECT_EQ(canvas.segments[2].pen.style, pen_style::dash);
    EXPECT_EQ((std::array{canvas.ovals[0].brush, canvas.ovals[1].brush}),
              (std::array{city_brush, hop_brush}));
    EXPECT_LT(canvas.segments[2].order, canvas.ovals[0].order);
    EXPECT_LT(canvas.ovals[0].order, canvas.ovals[1].order);
}

TEST(paint_map, with_every_layer_off_shows_the_globes_shaded_disc) {
    map_view globe = globe_view();
    recording_canvas canvas;
    paint_map(canvas, globe);
    EXPECT_TRUE(canvas.segments.empty() && canvas.labels.empty());
    ASSERT_EQ(canvas.clips.size(), 1u);
    EXPECT_EQ((std::array{canvas.clips[0].right, canvas.clips[0].bottom}), (std::array{831, 572}));
    ASSERT_EQ(canvas.ovals.size(), 56u); // radius 277: rings at insets 0, 5, ..., 275
    for (std::size_t i = 0; i < canvas.ovals.size(); ++i) {
        const auto& ring = canvas.ovals[i];
        EXPECT_EQ(ring.pen.style, pen_style::none);
        EXPECT_EQ(ring.centre(), (pixel_point{415, 286}));
        EXPECT_EQ(ring.radius(), 277 - 5 * static_cast<int>(i));
    }
    EXPECT_EQ(canvas.ovals.front().brush.colour, 30 << 16 | 30 << 8); // green 30, blue 30
    const int centre = canvas.ovals.back().brush.colour;
    EXPECT_EQ(centre & 0xFF, 0);
    EXPECT_NEAR(centre >> 8 & 0xFF, 75, 3);
    EXPECT_NEAR(centre >> 16 & 0xFF, 120, 4);
}

TEST(paint_map, draws_the_cities_of_the_zooms_level_and_the_medium_list_at_high) {
    const struct {
        map_view view;
        int zoom;
        const char* city;
        int radius;
    } rows[] = {
        {sized_view(), 1, "city0", 2},
        {region_view(335, 56, 542, 199), 16, "city1", 4},
        {region_view(413, 109, 465, 145), 256, "city1", 8},
        {globe_view(), 256, "city0", 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.zoom);
        map_view view = furnished(r.view);
        view.zoom = r.zoom;
        view.display_coastlines = view.display_rivers = view.display_boundaries = false;
        recording_canvas canvas;
        paint_map(canvas, view);
        ASSERT_EQ(canvas.labels.size(), 1u);
        EXPECT_EQ(canvas.labels[0].text, r.city);
        EXPECT_EQ(canvas.labels[0].colour, city_label_colour);
        ASSERT_FALSE(canvas.ovals.empty());
        EXPECT_EQ(canvas.ovals.back().radius(), r.radius);
        EXPECT_EQ(canvas.ovals.back().pen, city_pen);
    }
}

// Low cells (ix × 4 + iy) are 207.75 pixels wide and 143 high on the whole world.
std::vector<recording_canvas::segment> draw(const map_view& view, const stored_cells& cells) {
    recording_canvas canvas;
    draw_feature_set(canvas, view, level_with(4, cells));
    return canvas.segments;
}

// A line that crosses the map's edge, where the world goes on at the other side, is drawn as two
// pieces running off opposite edges: the first from the old point to the edge at the new point's
// height, the second from the other edge at the old point's height to the new point. In a wider
// window the edges are the world frame's.
TEST(flat_features, a_line_crossing_the_edge_is_drawn_as_two_pieces_off_opposite_edges) {
    const struct {
        const char* what;
        map_view view;
        std::uint8_t from, to; // steps east of cell 10's west side, at world x 416
        pixel_point start, end;
        int west, east;
    } rows[] = {
        // Scrolled so that the map's edge lies at world x 420.
        {"eastward", region_view(420, 0, 420, 572), 2, 10, {828, 215}, {4, 215}, 0, 831},
        {"westward", region_view(420, 0, 420, 572), 10, 2, {4, 215}, {828, 215}, 0, 831},
        {"in a wider window", sized_view(1662, 572), 2, 10, {1244, 215}, {419, 215}, 416, 1247},
    };
    for (auto r : rows) {
        SCOPED_TRACE(r.what);
        set_region(r.view, 420, 0, 420, 572);
        const auto segments = draw(r.view, {{10, {{r.from, 128, r.to, 128}}}});
        ASSERT_EQ(segments.size(), 2u);
        const bool eastward = r.from < r.to;
        EXPECT_EQ(segments[0].from, r.start);
        EXPECT_EQ(segments[0].to, (pixel_point{eastward ? r.east : r.west, r.end.y}));
        EXPECT_EQ(segments[1].from, (pixel_point{eastward ? r.west : r.east, r.start.y}));
        EXPECT_EQ(segments[1].to, r.end);
    }
    // A long line that stays inside the map is one piece, however far it runs.
    EXPECT_EQ(draw(sized_view(), {{2, {{10, 128, 250, 100}}}}).size(), 1u);
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
