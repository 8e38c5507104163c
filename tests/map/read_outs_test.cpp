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

// The centre is the middle of the page, which may be wider than the visible region.
TEST(read_outs, view_centre_in_degrees_with_hemisphere_letters) {
    struct centre_case {
        int left, top, page_w, page_h;
        const char* text;
    };
    const centre_case cases[] = {
        {0, 0, 831, 572, "  0.00\u00b0 N,  0.00\u00b0 E   "}, // equator and prime meridian
        {623, 0, 208, 143, " 67.50\u00b0 N, 134.95\u00b0 E   "},
        {0, 0, 200, 1000, " 67.34\u00b0 S, 136.68\u00b0 W   "},
    };
    for (const centre_case& c : cases) {
        map_view view = sized_view();
        view.left = c.left;
        view.top = c.top;
        view.page_w = c.page_w;
        view.page_h = c.page_h;
        EXPECT_EQ(view_centre_text(view), c.text) << c.left;
    }
}

TEST(read_outs, mouse_line_shows_dashes_with_the_last_letters_off_the_globe) {
    hemisphere_letters last;
    EXPECT_EQ(mouse_placeholder_text(), "  -     \u00b0 N,     -   \u00b0 E  ");
    EXPECT_EQ(mouse_text(sized_view(), {0, 0}, last), "90.00\u00b0 N, 180.00\u00b0 W   ");
    map_view globe = globe_view();
    EXPECT_EQ(mouse_text(globe, {5, 5}, last), "  -     \u00b0 N,     -   \u00b0 W  ");
    // The read-out follows the globe's turn: 30 world pixels east of the disc's centre.
    shift_view_x(globe, -30);
    EXPECT_EQ(mouse_text(globe, {415, 286}, last), " 0.00\u00b0 N, 12.78\u00b0 E   ");
    EXPECT_EQ(mouse_text(globe, {5, 5}, last), "  -     \u00b0 N,     -   \u00b0 E  ");
}

} // namespace
} // namespace hoplot
