#include "map/hop_drawing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "map/recording_canvas.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

using test::recording_canvas;

constexpr map_point centre{32768, 32768}; // 0°, 0°: pixel (416, 286) on the whole world
constexpr pixel_point centre_pixel{416, 286};

recording_canvas::label only_label(const recording_canvas& canvas) {
    EXPECT_EQ(canvas.labels.size(), 1u);
    return canvas.labels.empty() ? recording_canvas::label{} : canvas.labels.front();
}

// Label indices (with label bases: beyond 10) are tenths of a turn. Only 3..7 are turned and
// right-aligned; past a full turn the escapement is used as it is. Every anchor lies 7 pixels out
// along the label's direction and half a line to the side that keeps the text on the dot's centre
// line (the text's top side: left of an unturned label's direction, right of a turned one).
TEST(hop_label, indices_three_to_seven_are_turned_and_every_anchor_sits_on_the_centre_line) {
    for (int index = 0; index <= 17; ++index) {
        SCOPED_TRACE(index);
        recording_canvas canvas;
        draw_hop_label(canvas, test::whole_world_view(), "x", index / 10.0, centre, 0);
        const auto label = only_label(canvas);
        const bool turned = index >= 3 && index <= 7;
        EXPECT_EQ(label.font.escapement, index * 360 - (turned ? 1800 : 0));
        EXPECT_EQ(label.align, turned ? text_align::right_top : text_align::left_top);
        EXPECT_EQ(label.font.face, "Ariel");

        const double b = index * 36.0 * std::acos(-1.0) / 180;
        const double dx = label.at.x - centre_pixel.x, dy = centre_pixel.y - label.at.y;
        const double along = dx * std::cos(b) + dy * std::sin(b);
        const double across = -dx * std::sin(b) + dy * std::cos(b);
        EXPECT_NEAR(along, 7, 1.0);
        EXPECT_NEAR(across, turned ? -5 : 5, 1.0);
    }
}

TEST(hop_marks, sizes_follow_the_detail_level_and_are_fixed_on_the_globe) {
    struct row {
        bool globe;
        int level, radius, font_height, distance;
    };
    const row rows[] = {
        {false, 0, 2, 9, 7}, {false, 1, 4, 14, 9}, {false, 2, 8, 18, 13},
        {true, 0, 2, 9, 7},  {true, 2, 2, 9, 7},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(testing::Message() << "globe " << r.globe << " level " << r.level);
        map_view view = r.globe ? test::globe_view() : test::whole_world_view();
        view.level = r.level;
        recording_canvas canvas;
        canvas.height_of_line = 0;
        draw_hop_dot(canvas, view, centre);
        draw_hop_label(canvas, view, "x", 0.0, centre, 0);
        ASSERT_EQ(canvas.ovals.size(), 1u);
        const auto dot = canvas.ovals.front();
        EXPECT_EQ(dot.right - dot.left, 2 * r.radius);
        EXPECT_EQ(dot.bottom - dot.top, 2 * r.radius);
        const auto label = only_label(canvas);
        EXPECT_EQ(label.font.height, r.font_height);
        EXPECT_EQ(label.at.x - dot.centre().x, r.distance);
        EXPECT_EQ(label.at.y, dot.centre().y);
    }
}

TEST(hop_marks, nothing_is_drawn_for_a_point_on_the_far_side_of_the_globe) {
    const map_view view = test::globe_view();
    for (const map_point far :
         {test::map_units(180, 0), test::map_units(-120, 40), test::map_units(100, -30)}) {
        recording_canvas canvas;
        draw_hop_dot(canvas, view, far);
        draw_hop_label(canvas, view, "far", 0.3, far, 0);
        EXPECT_TRUE(canvas.ovals.empty());
        EXPECT_TRUE(canvas.labels.empty());
    }
    recording_canvas canvas;
    draw_hop_dot(canvas, view, test::map_units(60, 10));
    draw_hop_label(canvas, view, "near", 0.3, test::map_units(60, 10), 0);
    EXPECT_EQ(canvas.ovals.size(), 1u);
    EXPECT_EQ(canvas.labels.size(), 1u);
}

} // namespace
} // namespace hoplot
