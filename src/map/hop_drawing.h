#pragma once

#include <optional>
#include <string>

#include "geolocation/location.h"
#include "map/canvas.h"

namespace hoplot {

struct map_view;

// Dot radius, label font height and the label's distance from its dot for the view's mode and
// detail level.
int hop_dot_radius(const map_view& view);

// Where a position in map units lands on the screen; none on the globe's far side.
std::optional<pixel_point> hop_screen_position(const map_view& view, map_point at);

// A hop's dot at a position in map units, with the pen and brush already selected; nothing on
// the globe's far side.
void draw_hop_dot(canvas& surface, const map_view& view, map_point at);

// A label that runs outward from its dot along fraction × 360° counter-clockwise from east.
// Labels pointing into the left half are turned upright and right-aligned so that they still
// end near the dot. Nothing on the globe's far side.
void draw_hop_label(canvas& surface, const map_view& view, const std::string& text, double fraction,
                    map_point at, int colour);

} // namespace hoplot
