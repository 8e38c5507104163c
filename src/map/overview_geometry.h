#pragma once

#include <optional>

#include "map/map_view.h"

namespace hoplot {

// A rectangle in overview picture pixels, right and bottom excluded; all zero when unused.
struct pixel_rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const pixel_rect&) const = default;
};

// The map's visible region on the overview: A alone, or A reaching the picture's right edge and
// B starting at its left edge when the region crosses the seam.
struct overview_rects {
    pixel_rect a;
    pixel_rect b;
    bool operator==(const overview_rects&) const = default;
};

// Picture pixels per world pixel. The horizontal scale spans two pixels more than the picture,
// as the overview has always been drawn.
struct overview_scale {
    double x = 0.0;
    double y = 0.0;
};
overview_scale overview_scale_for(const map_view& view, int picture_w, int picture_h);

overview_rects overview_visible_rects(const map_view& view, int picture_w, int picture_h);

// The cross-hair for a point of the map window's client area; none off the globe, where the
// cross-hair stays where it was.
std::optional<pixel_point> overview_cross_hair(const map_view& view, pixel_point client,
                                               int picture_w, int picture_h);

} // namespace hoplot
