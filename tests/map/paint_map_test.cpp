#include "map/paint_map.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

#include "map/drawing_objects.h"
#include "map/map_test_files.h"
#include "map/recording_canvas.h"
#include "map/test_views.h"
#include "trace/route.h"

namespace hoplot {
namespace {

using namespace test;

// One short polyline per layer, each in its own Low cell, and a city per level.
map_view furnished(map_view view) {
    auto maps = std::make_shared<map_data>();
    maps->coastlines[0] = level_with(4, {{6, {{10, 10, 40, 40}}}});
    maps->rivers[0] = level_with(4, {{10, {{10, 10, 40, 40}}}});
    maps->boundaries[0] = level_with(4, {{11, {{10, 10, 40, 40}}}});
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

TEST(paint_map, stacks_ground_coastlines_rivers_boundaries_cities_and_route_in_that_order) {
    map_view view = furnished(sized_view());
    route_rec route;
    route.places = {{{{"hop", map_units(-60, -10), 0}}, 1, 0}};
    view.current_route = &route;
    recording_canvas canvas;
    paint_map(canvas, view);

    ASSERT_EQ(canvas.fills.size(), 1u);
    const auto& ground = canvas.fills[0];
    EXPECT_EQ(ground.order, 0u);
    EXPECT_EQ((std::array{ground.colour, ground.right, ground.bottom}), (std::array{0, 831, 572}));
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

} // namespace
} // namespace hoplot
