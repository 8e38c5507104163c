#pragma once

#include <optional>
#include <utility>

#include "map/map_view.h"
#include "trace/route.h"

namespace hoplot {

// The corners, in world pixels, of the flat map's region that shows every point of the route
// with a margin, in the world's aspect and inside the world; none for a route without points.
// The points are taken east to west as they lie, never across the 180° seam.
std::optional<std::pair<pixel_point, pixel_point>> route_region(const map_view& view,
                                                                const route_rec& route);

} // namespace hoplot
