#pragma once

#include "geolocation/location.h"
#include "map/canvas.h"

namespace hoplot {

struct map_view;

// The line between two places, positions in map units. Flat map: a straight line with the
// caller's pen, the shorter way round the world, split at the seam and cut to the map area. Globe:
// a great-circle arc raised above the surface by up to a fifth of the radius, in the route pen,
// drawn where it is not hidden by the globe; nothing when neither end is on the visible side or
// when the ends are the same or opposite points (no single great circle joins them).
void draw_route_line(canvas& surface, const map_view& view, map_point from, map_point to);

} // namespace hoplot
