#include "map/read_outs.h"

#include <gtest/gtest.h>

#include "map/test_views.h"

namespace hoplot {
namespace {

using test::globe_view;
using test::sized_view;

TEST(read_outs, counts_and_zoom_keep_their_leading_space) {
    EXPECT_EQ(trace_count_text(0), " 0");
    EXPECT_EQ(zoom_text(1), " 1:1");
}

// The centre is the middle of what the map shows, whatever the window's size and mode.
TEST(read_outs, view_centre_in_degrees_with_hemisphere_letters) {
    const struct {
        map_view view;
        const char* text;
    } cases[] = {
        {sized_view(), "  0.00\u00b0 N,  0.00\u00b0 E   "}, // equator and prime meridian
        {sized_view(1200, 900), "  0.00\u00b0 N,  0.00\u00b0 E   "},
        {globe_view(1000, 700), "  0.00\u00b0 N,  0.00\u00b0 E   "},
        {test::region_view(623, 0, 831, 143), " 67.50\u00b0 N, 134.95\u00b0 E   "},
        {test::region_view(700, 300, 150, 493), " 34.77\u00b0 S, 175.88\u00b0 W   "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(view_centre_text(c.view), c.text) << c.text;
}
TEST(read_outs, mouse_line_shows_dashes_with_the_last_letters_off_the_globe) {
    hemisphere_letters last;
    EXPECT_EQ(mouse_placeholder_text(), "  -     \u00b0 N,     -   \u00b0 E  ");
    EXPECT_EQ(mouse_text(sized_view(), {0, 0}, last), "90.00\u00b0 N, 180.00\u00b0 W   ");
    map_view globe = globe_view();
    EXPECT_EQ(mouse_text(globe, {5, 5}, last), "  -     \u00b0 N,     -   \u00b0 W  ");
    // Beside the flat world, above its frame in a tall window.
    EXPECT_EQ(mouse_text(sized_view(1200, 900), {600, 30}, last),
              "  -     \u00b0 N,     -   \u00b0 W  ");
    // The read-out follows the globe's turn: 30 world pixels east of the disc's centre.
    shift_view_x(globe, -30);
    EXPECT_EQ(mouse_text(globe, {415, 286}, last), " 0.00\u00b0 N, 12.78\u00b0 E   ");
    EXPECT_EQ(mouse_text(globe, {5, 5}, last), "  -     \u00b0 N,     -   \u00b0 E  ");
}

} // namespace
} // namespace hoplot
