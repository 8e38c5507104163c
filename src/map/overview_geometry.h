#pragma once

#include <optional>

#include "map/map_view.h"

namespace hoplot {

// What the map shows, outlined on the overview in picture pixels: A alone, or A reaching the
// picture's right edge and B starting at its left edge when it crosses the seam.
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
