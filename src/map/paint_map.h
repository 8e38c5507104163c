#pragma once

#include "map/canvas.h"

namespace hoplot {

struct map_view;

// Cuts everything drawn afterwards to the map area (map_frame.h), so that nothing runs on into a
// black margin beside the world.
void clip_to_map_area(canvas& surface, const map_view& view);

// The level itself when its data has been read, else the highest level below it that has.
int loaded_level_at_most(const map_view& view, int level);

// The whole picture of the map window's client area: black ground, on the globe its shaded
// disc, then coastlines, rivers, boundaries and cities as the view's flags ask, the home's mark,
// and the current route on top. On the flat map it first chooses the detail level from the zoom;
// a level still being read is drawn as the level below it.
void paint_map(canvas& surface, map_view& view);

} // namespace hoplot
