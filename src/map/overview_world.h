#pragma once

#include "map/canvas.h"

namespace hoplot {

struct map_data;

// The overview's small world: the Low coastlines on black, at the overview's own scale so that
// the visible rectangles and the cross-hair fall on the places they mark.
void draw_overview_world(canvas& surface, const map_data& maps, int picture_w, int picture_h);

} // namespace hoplot
