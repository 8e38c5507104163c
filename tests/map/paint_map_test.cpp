#include "map/paint_map.h"

#include <gtest/gtest.h>

#include <memory>

#include "map/cities.h"
#include "map/drawing_objects.h"
#include "map/recording_canvas.h"
#include "map/test_levels.h"
#include "map/test_views.h"
#include "trace/route.h"

namespace hoplot {
namespace {

using test::level_with;
using test::map_units;
using test::recording_canvas;

// One short polyline per layer, each in its own Low cell, and a city per level.
map_view furnished(map_view view) {
    auto maps = std::make_shared<map_data>();
    maps->coastlines[0] = level_with(4, {{1, 2, {{{10, 10}, {40, 40}}}}});
    maps->rivers[0] = level_with(4, {{2, 2, {{{10, 10}, {40, 40}}}}});
    maps->boundaries[0] = level_with(4, {{2, 3, {{{10, 10}, {40, 40}}}}});
    view.maps = maps;
    auto cities = std::make_shared<city_lists>();
    const map_point at = map_units(10, 50);
    for (int level = 0; level < 3; ++level)
        (*cities)[static_cast<std::size_t>(level)].push_back(
            {"city" + std::to_string(level), 50, 10, at.x, at.y});
    view.cities = cities;
    view.display_coastlines = view.display_rivers = view.display_boundaries = true;
    view.display_cities = true;
    return view;
}

TEST(paint_map, stacks_ground_coastlines_rivers_boundaries_cities_and_route_in_that_order) {
    map_view view = furnished(test::whole_world_view());
    route_rec route;
    route.places = {{{{"hop", map_units(-60, -10), 0}}, 1, 0}};
    view.current_route = &route;
    recording_canvas canvas;
    paint_map(canvas, view);

    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(canvas.fills[0].order, 0u);
    EXPECT_EQ(canvas.fills[0].colour, 0x000000);
    EXPECT_EQ(canvas.fills[0].right, 831);
    EXPECT_EQ(canvas.fills[0].bottom, 572);

    std::vector<std::size_t> layers;
    for (const pen& p : {coastline_pen, river_pen, boundary_pen}) {
        const auto drawn = canvas.segments_in(p.colour);
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].pen, p);
        layers.push_back(drawn[0].order);
    }
    EXPECT_EQ(canvas.segments_in(boundary_pen.colour)[0].pen.style, pen_style::dash);
    ASSERT_EQ(canvas.ovals.size(), 2u);
    EXPECT_EQ(canvas.ovals[0].brush, city_brush);
    EXPECT_EQ(canvas.ovals[1].brush, hop_brush);
    layers.push_back(canvas.ovals[0].order);
    layers.push_back(canvas.ovals[1].order);
    EXPECT_TRUE(std::is_sorted(layers.begin(), layers.end()));
}

TEST(paint_map, with_every_layer_off_shows_black_ground_and_on_the_globe_its_shaded_disc) {
    map_view flat = test::whole_world_view();
    recording_canvas flat_canvas;
    paint_map(flat_canvas, flat);
    EXPECT_EQ(flat_canvas.fills.size(), 1u);
    EXPECT_TRUE(flat_canvas.ovals.empty());

    map_view globe = test::globe_view();
    recording_canvas canvas;
    paint_map(canvas, globe);
    EXPECT_TRUE(canvas.segments.empty());
    EXPECT_TRUE(canvas.labels.empty());
    const int radius = globe.globe_radius; // 277: rings at insets 0, 5, ..., 275
    ASSERT_EQ(canvas.ovals.size(), 56u);
    for (std::size_t i = 0; i < canvas.ovals.size(); ++i) {
        const auto& ring = canvas.ovals[i];
        EXPECT_EQ(ring.pen.style, pen_style::none);
        EXPECT_EQ(ring.centre(), (pixel_point{415, 286}));
        EXPECT_EQ(ring.radius(), radius - 5 * static_cast<int>(i));
    }
    EXPECT_EQ(canvas.ovals.front().brush.colour, 30 << 16 | 30 << 8); // green 30, blue 30
    const int centre = canvas.ovals.back().brush.colour;
    EXPECT_EQ(centre & 0xFF, 0);
    EXPECT_NEAR(centre >> 8 & 0xFF, 75, 3);
    EXPECT_NEAR(centre >> 16 & 0xFF, 120, 4);
}

TEST(paint_map, draws_the_cities_of_the_zooms_level_and_the_medium_list_at_high) {
    struct row {
        const char* what;
        map_view view;
        int zoom;
        const char* city;
        int radius;
    };
    const row rows[] = {
        {"whole world", test::whole_world_view(), 1, "city0", 2},
        {"zoom 16", test::region_view(335, 56, 542, 199, 0), 16, "city1", 4},
        {"zoom 256", test::region_view(413, 109, 465, 145, 0), 256, "city1", 8},
        {"globe", test::globe_view(), 256, "city0", 2},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
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
