#pragma once

#include "map/canvas.h"

namespace hoplot {

struct map_view;

// A rectangle of screen pixels from (left, top) up to but excluding (right, bottom).
struct pixel_rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(pixel_point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool operator==(const pixel_rect&) const = default;
};

// Where the map is drawn: the whole client area for the globe; for the flat map the fixed
// world-sized area at the top left (its right and bottom edge lines included), which every layer
// shares so that nothing runs on into the black margin of a larger window.
pixel_rect map_area(const map_view& view);
void clip_to_map_area(canvas& surface, const map_view& view);

// The whole picture of the map window's client area: black ground, on the globe its shaded
// disc, then coastlines, rivers, boundaries and cities as the view's flags ask, and the current
// route on top. On the flat map it first chooses the detail level from the zoom.
void paint_map(canvas& surface, map_view& view);

} // namespace hoplot
