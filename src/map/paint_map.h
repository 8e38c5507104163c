#pragma once

#include "map/canvas.h"

namespace hoplot {

struct map_view;

// The whole picture of the map window's client area: black ground, on the globe its shaded
// disc, then coastlines, rivers, boundaries and cities as the view's flags ask, and the current
// route on top. On the flat map it first chooses the detail level from the zoom.
void paint_map(canvas& surface, map_view& view);

} // namespace hoplot
