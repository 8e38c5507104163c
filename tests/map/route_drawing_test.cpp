#include "map/route_drawing.h"

#include <cmath>
#include <gtest/gtest.h>

#include "map/drawing_objects.h"
#include "map/home_mark.h"
#include "map/hop_drawing.h"
#include "map/projection.h"
#include "map/recording_canvas.h"
#include "map/route_line.h"
#include "map/test_views.h"
#include "trace/route.h"

namespace hoplot {
namespace {

using namespace test;

double distance(pixel_point a, pixel_point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

pixel_point dot_centre(const map_view& view, map_point at) {
    recording_canvas canvas;
    draw_hop_dot(canvas, view, at);
    EXPECT_EQ(canvas.ovals.size(), 1u);
    return canvas.ovals.empty() ? pixel_point{} : canvas.ovals.front().centre();
}

// Label indices (with label bases: beyond 10) are tenths of a turn. Only 3..7 are turned and
// right-aligned; past a full turn the escapement is used as it is. Every anchor lies 7 pixels out
// along the label's direction and half a line to the side that keeps the text on the dot's centre
// line (the text's top side: left of an unturned label's direction, right of a turned one).
TEST(hop_label, indices_three_to_seven_are_turned_and_every_anchor_sits_on_the_centre_line) {
    for (int index = 0; index <= 17; ++index) {
        SCOPED_TRACE(index);
        recording_canvas canvas;
        draw_hop_label(canvas, sized_view(), "x", index / 10.0, {32768, 32768}, 0);
        ASSERT_EQ(canvas.labels.size(), 1u);
        const auto& label = canvas.labels[0];
        const bool turned = index >= 3 && index <= 7;
        EXPECT_EQ(label.font.escapement, index * 360 - (turned ? 1800 : 0));
        EXPECT_EQ(label.align, turned ? text_align::right_top : text_align::left_top);
        EXPECT_EQ(label.font.face, "Ariel");
        const double b = index * 36.0 * std::acos(-1.0) / 180;
        const double dx = label.at.x - 416, dy = 286 - label.at.y; // from the dot at 0°, 0°
        EXPECT_NEAR(dx * std::cos(b) + dy * std::sin(b), 7, 1.0);
        EXPECT_NEAR(-dx * std::sin(b) + dy * std::cos(b), turned ? -5 : 5, 1.0);
    }
}

TEST(hop_marks, sizes_follow_the_detail_level_are_fixed_on_the_globe_and_skip_the_far_side) {
    const struct {
        bool globe;
        int level, radius, font_height, distance;
    } rows[] = {{false, 0, 2, 9, 7},
                {false, 1, 4, 14, 9},
                {false, 2, 8, 18, 13},
                {true, 0, 2, 9, 7},
                {true, 2, 2, 9, 7}};
    for (const auto& r : rows) {
        SCOPED_TRACE(::testing::Message() << "globe " << r.globe << " level " << r.level);
        map_view view = r.globe ? globe_view() : sized_view();
        view.level = r.level;
        recording_canvas canvas;
        canvas.height_of_line = 0;
        draw_hop_dot(canvas, view, {32768, 32768});
        draw_hop_label(canvas, view, "x", 0.0, {32768, 32768}, 0);
        ASSERT_EQ(canvas.ovals.size(), 1u);
        ASSERT_EQ(canvas.labels.size(), 1u);
        const auto& dot = canvas.ovals[0];
        EXPECT_EQ((std::array{dot.right - dot.left, dot.bottom - dot.top}),
                  (std::array{2 * r.radius, 2 * r.radius}));
        EXPECT_EQ(canvas.labels[0].font.height, r.font_height);
        EXPECT_EQ(canvas.labels[0].at, (pixel_point{dot.centre().x + r.distance, dot.centre().y}));
    }
    for (const map_point at :
         {map_units(180, 0), map_units(-120, 40), map_units(100, -30), map_units(60, 10)}) {
        recording_canvas canvas;
        draw_hop_dot(canvas, globe_view(), at);
        draw_hop_label(canvas, globe_view(), "far", 0.3, at, 0);
        const std::size_t drawn = at.x == map_units(60, 10).x ? 1 : 0; // the only near one
        EXPECT_EQ((std::array{canvas.ovals.size(), canvas.labels.size()}),
                  (std::array{drawn, drawn}));
    }
}

std::vector<recording_canvas::segment> flat_line(const map_view& view, map_point from,
                                                 map_point to) {
    recording_canvas canvas;
    canvas.set_pen(hop_pen); // the caller's pen
    draw_route_line(canvas, view, from, to);
    for (const auto& s : canvas.segments)
        EXPECT_EQ(s.pen, hop_pen);
    return canvas.segments;
}

pixel_point screen_of(const map_view& view, map_point at) {
    return map_to_screen(view, at.x, at.y);
}

TEST(flat_route_line, takes_the_shorter_way_split_at_the_seam_and_cut_at_the_map_edge) {
    const map_point san_francisco = map_units(-122.4, 37.8), auckland = map_units(174.8, -36.8);
    const map_view world = sized_view();

    // Across the Pacific: two pieces that meet the edges at the same height.
    const auto pacific = flat_line(world, auckland, san_francisco);
    ASSERT_EQ(pacific.size(), 2u);
    EXPECT_EQ(pacific[0].from, dot_centre(world, auckland));
    EXPECT_EQ(pacific[0].to.x, 831);
    EXPECT_EQ(pacific[1].from.x, 0);
    EXPECT_EQ(pacific[1].from.y, pacific[0].to.y);
    EXPECT_EQ(pacific[1].to, dot_centre(world, san_francisco));

    // Zoomed across the seam, a hop just west of the view lies off the left edge, not the right.
    const map_view seam = region_view(780, 100, 60, 177, 1);
    const map_point across = map_units(-171.8, 40);
    const map_point west = map_units(149, 45); // world x 759, west of the left edge at 780
    const auto edge = flat_line(seam, west, across);
    ASSERT_EQ(edge.size(), 2u);
    EXPECT_EQ(edge[0].from.x, 0);
    EXPECT_EQ(edge[0].to, edge[1].from); // the seam, inside the view
    EXPECT_EQ(edge[1].to, screen_of(seam, across));

    // Far ends of a zoomed view are cut at the map's edge, keeping the line's direction.
    const map_view south = region_view(0, 560, 831, 562, 2);
    const auto north = flat_line(south, map_units(0, 60), map_units(0, -88.5));
    ASSERT_EQ(north.size(), 1u);
    EXPECT_EQ(north[0].from, (pixel_point{screen_of(south, map_units(0, -88.5)).x, 0}));
    const map_view eu = region_view(400, 100, 500, 169, 1);
    const auto off = flat_line(eu, map_units(10, 50), san_francisco);
    ASSERT_EQ(off.size(), 1u);
    EXPECT_EQ(off[0].from, screen_of(eu, map_units(10, 50)));
    EXPECT_EQ(off[0].to.x, 0);
}

TEST(globe_arc, rises_a_fifth_of_the_radius_in_41_samples_drawn_where_not_hidden) {
    const map_view view = globe_view();
    const pixel_point centre{415, 286};
    const auto arc = [&](map_point from, map_point to) {
        recording_canvas canvas;
        draw_route_line(canvas, view, from, to);
        for (std::size_t i = 1; i < canvas.segments.size(); ++i)
            EXPECT_EQ(canvas.segments[i].from, canvas.segments[i - 1].to);
        for (const auto& s : canvas.segments)
            EXPECT_EQ(s.pen, route_pen);
        return canvas.segments;
    };
    const map_point west = map_units(-30, 40), east = map_units(30, 40);
    // From dot to dot, also on a globe scrolled up or down.
    for (const int d : {-60, 45}) {
        map_view scrolled = globe_view();
        shift_view_y(scrolled, d);
        recording_canvas canvas;
        draw_route_line(canvas, scrolled, west, east);
        ASSERT_EQ(canvas.segments.size(), 40u) << d;
        EXPECT_LE(distance(canvas.segments.front().from, dot_centre(scrolled, west)), 1.5) << d;
        EXPECT_LE(distance(canvas.segments.back().to, dot_centre(scrolled, east)), 1.5) << d;
    }
    const auto whole = arc(west, east);
    ASSERT_EQ(whole.size(), 40u);
    EXPECT_LE(distance(whole.front().from, dot_centre(view, west)), 1.5);
    EXPECT_LE(distance(whole.back().to, dot_centre(view, east)), 1.5);
    // Seen from the front, the middle sample lies 1.2 R out along its direction from the centre.
    const double middle = distance(whole[20].from, centre);
    EXPECT_LE(middle, 1.2 * view.globe_radius + 1);
    EXPECT_GT(middle, distance(whole.front().from, centre));
    EXPECT_GT(middle, distance(whole.back().to, centre));
    EXPECT_LT(whole[20].from.y, whole.front().from.y);

    // From a visible end until it passes behind the globe.
    const map_point quito = map_units(-78.5, -0.2);
    const auto half = arc(quito, map_units(150, 0));
    ASSERT_FALSE(half.empty());
    EXPECT_LT(half.size(), 40u);
    EXPECT_LE(distance(half.front().from, dot_centre(view, quito)), 1.5);

    // Over the north pole, on the limb, to a point behind: the raised middle shows past the pole.
    const auto over = arc(map_units(-80, 70), map_units(100, 70));
    ASSERT_FALSE(over.empty());
    EXPECT_GT(over.back().to.x, centre.x + 2);
    EXPECT_GE(distance(over.back().to, centre), view.globe_radius - 1.0);

    // Nothing when both ends are hidden, or the ends are the same, opposite points or both poles.
    for (const auto& [from, to] : {std::pair{map_units(150, 10), map_units(-150, -20)},
                                   {map_units(10, 10), map_units(10, 10)},
                                   {map_units(10, 20), map_units(-170, -20)},
                                   {map_units(0, 90), map_units(60, 90)}})
        EXPECT_TRUE(arc(from, to).empty()) << from.x << " " << to.x;
}

TEST(draw_route, labels_then_dots_then_the_line_with_the_start_dot_over_its_end) {
    const map_point a = map_units(-70, 40), b = map_units(0, 50);
    route_rec route;
    route.places = {
        {{{"a1", a, 0}, {"a2", a, 1}}, 2, 0}, {{{"b1", b, 0}}, 1, 0}, {{{"c1", a, 0}}, 3, 2}};
    recording_canvas canvas;
    const map_view view = sized_view();
    draw_route(canvas, view, route);

    ASSERT_EQ(canvas.labels.size(), 4u);
    const std::array<int, 2> labels[] = {
        {0, label_colour}, {360, loc_label_colour}, {720, label_colour}, {0, label_colour}};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ((std::array{canvas.labels[i].font.escapement, canvas.labels[i].colour}),
                  labels[i]);
    // The place back at a's position continues after a's two labels: index 3 + base 2 points west.
    EXPECT_EQ(canvas.labels[3].align, text_align::right_top);

    const pixel_point pa = map_to_screen(view, a.x, a.y), pb = map_to_screen(view, b.x, b.y);
    ASSERT_EQ(canvas.segments.size(), 2u);
    EXPECT_EQ((std::array{canvas.segments[0].from, canvas.segments[0].to, canvas.segments[1].from,
                          canvas.segments[1].to}),
              (std::array{pa, pb, pb, pa}));
    for (const auto& s : canvas.segments)
        EXPECT_EQ(s.pen, route_pen);
    ASSERT_EQ(canvas.ovals.size(), 6u);
    for (const auto& dot : canvas.ovals)
        EXPECT_TRUE(dot.pen == hop_pen && dot.brush == hop_brush);
    // Each label lies under its own dot, and each line under the dot drawn again at its start.
    EXPECT_LT(canvas.labels[0].order, canvas.ovals[0].order);
    EXPECT_LT(canvas.labels[1].order, canvas.ovals[1].order);
    EXPECT_LT(canvas.segments[0].order, canvas.ovals[2].order);
    EXPECT_EQ(canvas.ovals[2].centre(), pa);
    EXPECT_LT(canvas.segments[0].order, canvas.labels[2].order);
    EXPECT_EQ(canvas.ovals[4].centre(), pb);
}

// A hop its round trip rules out is a hollow dot; the lines to and from its place are dashed.
TEST(draw_route, a_doubtful_hop_is_hollow_and_its_lines_dashed) {
    const map_point a = map_units(-70, 40), b = map_units(0, 50), c = map_units(30, 10),
                    d = map_units(60, 20);
    route_rec route;
    route.places = {{{{"a", a, 0}}, 1, 0},
                    {{{"b", b, 0, true}}, 1, 0},
                    {{{"c", c, 0}}, 1, 0},
                    {{{"d", d, 0}}, 1, 0}};
    recording_canvas canvas;
    const map_view view = sized_view();
    draw_route(canvas, view, route);

    std::vector<pen_style> lines;
    for (const auto& s : canvas.segments)
        lines.push_back(s.pen.style);
    EXPECT_EQ(lines, (std::vector{pen_style::dash, pen_style::dash, pen_style::solid}));
    const pixel_point pb = map_to_screen(view, b.x, b.y);
    for (const auto& dot : canvas.ovals)
        EXPECT_EQ(dot.brush.style, dot.centre() == pb ? brush_style::none : brush_style::solid);
}

// The house stands round the home's point, larger than a hop's dot at every level; not on the
// globe's far side.
TEST(home_mark, stands_round_its_point_and_hides_behind_the_globe) {
    const map_point home = map_units(2.35, 48.85);
    for (const int level : {0, 2}) {
        map_view view = sized_view();
        view.level = level;
        recording_canvas canvas;
        draw_home_mark(canvas, view, home);
        const pixel_point p = map_to_screen(view, home.x, home.y);
        ASSERT_FALSE(canvas.fills.empty());
        pixel_rect box{canvas.fills[0].left, canvas.fills[0].top, canvas.fills[0].right,
                       canvas.fills[0].bottom};
        for (const auto& f : canvas.fills)
            box = {std::min(box.left, f.left), std::min(box.top, f.top),
                   std::max(box.right, f.right), std::max(box.bottom, f.bottom)};
        const int r = hop_dot_radius(view);
        EXPECT_EQ(box.left + box.right - 1, 2 * p.x) << "centred";
        EXPECT_GT(box.right - box.left, 2 * r + 1) << level;
        EXPECT_TRUE(box.top < p.y - r && box.bottom > p.y + r) << level;
    }
    recording_canvas behind;
    draw_home_mark(behind, globe_view(), map_units(180, 0));
    EXPECT_TRUE(behind.fills.empty());
}

} // namespace
} // namespace hoplot
