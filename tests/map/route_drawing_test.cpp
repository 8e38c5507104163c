#include "map/route_drawing.h"

#include <gtest/gtest.h>

#include "map/drawing_objects.h"
#include "map/projection.h"
#include "map/recording_canvas.h"
#include "map/test_views.h"
#include "trace/route.h"

namespace hoplot {
namespace {

using test::map_units;
using test::recording_canvas;

hop_group place(std::vector<point_rec> points, int count, int base) {
    return {std::move(points), count, base};
}

TEST(draw_route, labels_then_dots_then_the_line_with_the_start_dot_over_its_end) {
    const map_point a = map_units(-70, 40), b = map_units(0, 50);
    route_rec route;
    route.places = {place({{"a1", a, 0}, {"a2", a, 1}}, 2, 0), place({{"b1", b, 0}}, 1, 0),
                    place({{"c1", a, 0}}, 3, 2)};
    recording_canvas canvas;
    const map_view view = test::whole_world_view();
    draw_route(canvas, view, route);

    ASSERT_EQ(canvas.labels.size(), 4u);
    const int escapements[] = {0, 360, 720, 0};
    const int colours[] = {label_colour, loc_label_colour, label_colour, label_colour};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(canvas.labels[i].font.escapement, escapements[i]) << i;
        EXPECT_EQ(canvas.labels[i].colour, colours[i]) << i;
    }
    // The place back at a's position continues after a's two labels: index 3 + base 2 points west.
    EXPECT_EQ(canvas.labels[3].align, text_align::right_top);

    const pixel_point pa = map_to_screen(view, a.x, a.y), pb = map_to_screen(view, b.x, b.y);
    ASSERT_EQ(canvas.segments.size(), 2u);
    EXPECT_EQ(canvas.segments[0].from, pa);
    EXPECT_EQ(canvas.segments[0].to, pb);
    EXPECT_EQ(canvas.segments[1].from, pb);
    EXPECT_EQ(canvas.segments[1].to, pa);
    for (const auto& s : canvas.segments)
        EXPECT_EQ(s.pen, route_pen);

    ASSERT_EQ(canvas.ovals.size(), 6u);
    for (const auto& dot : canvas.ovals) {
        EXPECT_EQ(dot.pen, hop_pen);
        EXPECT_EQ(dot.brush, hop_brush);
    }
    // Each label lies under its own dot, and each line under the dot drawn again at its start.
    EXPECT_LT(canvas.labels[0].order, canvas.ovals[0].order);
    EXPECT_LT(canvas.labels[1].order, canvas.ovals[1].order);
    EXPECT_LT(canvas.segments[0].order, canvas.ovals[2].order);
    EXPECT_EQ(canvas.ovals[2].centre(), pa);
    EXPECT_LT(canvas.segments[0].order, canvas.labels[2].order);
    EXPECT_EQ(canvas.ovals[4].centre(), pb);
}

} // namespace
} // namespace hoplot
