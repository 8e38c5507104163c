#include "map/route_line.h"

#include <gtest/gtest.h>

#include <cmath>

#include "map/drawing_objects.h"
#include "map/hop_drawing.h"
#include "map/projection.h"
#include "map/recording_canvas.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

using test::map_units;
using test::recording_canvas;

const map_point tokyo = map_units(139.7, 35.7);
const map_point san_francisco = map_units(-122.4, 37.8);

pixel_point dot_centre(const map_view& view, map_point at) {
    recording_canvas canvas;
    draw_hop_dot(canvas, view, at);
    EXPECT_EQ(canvas.ovals.size(), 1u);
    return canvas.ovals.empty() ? pixel_point{} : canvas.ovals.front().centre();
}

double distance(pixel_point a, double x, double y) {
    return std::hypot(a.x - x, a.y - y);
}

TEST(flat_route_line, joins_the_dots_straight_across_the_map_with_the_callers_pen) {
    const map_view view = test::whole_world_view();
    recording_canvas canvas;
    canvas.set_pen(hop_pen);
    draw_route_line(canvas, view, tokyo, san_francisco);
    ASSERT_EQ(canvas.segments.size(), 1u);
    EXPECT_EQ(canvas.segments[0].from, dot_centre(view, tokyo));
    EXPECT_EQ(canvas.segments[0].to, dot_centre(view, san_francisco));
    EXPECT_EQ(canvas.segments[0].pen, hop_pen);
}

TEST(flat_route_line, a_far_west_end_of_an_unwrapped_zoomed_view_runs_off_the_left_edge) {
    // Europe, zoomed; the hop in California lies west of the region.
    const map_view view = test::region_view(400, 100, 500, 169, 1);
    recording_canvas canvas;
    draw_route_line(canvas, view, map_units(10, 50), san_francisco);
    ASSERT_EQ(canvas.segments.size(), 1u);
    EXPECT_EQ(canvas.segments[0].from,
              map_to_screen(view, map_units(10, 50).x, map_units(10, 50).y));
    EXPECT_LT(canvas.segments[0].to.x, -1000);
}

TEST(flat_route_line, y_values_far_above_the_view_are_folded_back_keeping_their_sign) {
    // A region two world pixels high near the south pole: the north is hundreds of thousands of
    // pixels up.
    const map_view view = test::region_view(0, 560, 831, 562, 2);
    for (const double latitude : {89.0, 60.0, 10.0}) {
        SCOPED_TRACE(latitude);
        recording_canvas canvas;
        draw_route_line(canvas, view, map_units(0, latitude), map_units(0, -88.5));
        ASSERT_EQ(canvas.segments.size(), 1u);
        const double raw = (map_units(0, latitude).y * 572.0 / 65536 - 560) * 286;
        ASSERT_LE(raw, -32769.0);
        const int y = canvas.segments[0].from.y;
        EXPECT_GT(y, -32769);
        EXPECT_LE(y, 0);
        EXPECT_EQ((static_cast<long long>(raw + 0.5) - y) % 32769, 0);
    }
}

TEST(globe_arc, rises_a_fifth_of_the_radius_between_its_ends_in_41_samples) {
    const map_view view = test::globe_view();
    const map_point west = map_units(-30, 40), east = map_units(30, 40);
    recording_canvas canvas;
    draw_route_line(canvas, view, west, east);
    const auto arc = canvas.segments_in(route_pen.colour);
    ASSERT_EQ(arc.size(), 40u);
    EXPECT_LE(distance(arc.front().from, dot_centre(view, west).x, dot_centre(view, west).y), 1.5);
    EXPECT_LE(distance(arc.back().to, dot_centre(view, east).x, dot_centre(view, east).y), 1.5);
    for (std::size_t i = 1; i < arc.size(); ++i)
        EXPECT_EQ(arc[i].from, arc[i - 1].to);
    // Seen from the front, the middle sample lies 1.2 R out along its direction from the centre,
    // so its projection is at most that far from the disc's centre and further than the ends'.
    const double cx = 415, cy = 286, radius = view.globe_radius;
    const double middle = distance(arc[20].from, cx, cy);
    EXPECT_LE(middle, 1.2 * radius + 1);
    EXPECT_GT(middle, distance(arc.front().from, cx, cy));
    EXPECT_GT(middle, distance(arc.back().to, cx, cy));
    EXPECT_LT(arc[20].from.y, arc.front().from.y);
}

TEST(globe_arc, runs_from_a_visible_end_until_it_passes_behind_the_globe) {
    const map_view view = test::globe_view();
    const map_point quito = map_units(-78.5, -0.2), far = map_units(150, 0);
    recording_canvas canvas;
    draw_route_line(canvas, view, quito, far);
    const auto arc = canvas.segments_in(route_pen.colour);
    ASSERT_FALSE(arc.empty());
    EXPECT_LT(arc.size(), 40u);
    EXPECT_LE(distance(arc.front().from, dot_centre(view, quito).x, dot_centre(view, quito).y),
              1.5);
}

TEST(globe_arc, shows_beside_the_disc_where_it_rises_over_the_limb) {
    // Over the north pole, which lies on the limb, to a point behind the globe: the raised
    // middle stays visible above the disc past the pole.
    const map_view view = test::globe_view();
    recording_canvas canvas;
    draw_route_line(canvas, view, map_units(-80, 70), map_units(100, 70));
    const auto arc = canvas.segments_in(route_pen.colour);
    ASSERT_FALSE(arc.empty());
    const int cx = view.client_w / 2, cy = view.client_h / 2;
    EXPECT_GT(arc.back().to.x, cx + 2);
    EXPECT_GE(distance(arc.back().to, cx, cy), view.globe_radius - 1.0);
}

TEST(globe_arc, draws_nothing_when_both_ends_are_hidden_or_the_ends_leave_no_plane) {
    const map_view view = test::globe_view();
    struct row {
        const char* what;
        map_point from, to;
    };
    const row rows[] = {
        {"both behind", map_units(150, 10), map_units(-150, -20)},
        {"same point", map_units(10, 10), map_units(10, 10)},
        {"opposite points", map_units(10, 20), map_units(-170, -20)},
        {"both poles", map_units(0, 90), map_units(60, 90)},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        recording_canvas canvas;
        draw_route_line(canvas, view, r.from, r.to);
        EXPECT_TRUE(canvas.segments.empty());
    }
}

} // namespace
} // namespace hoplot
