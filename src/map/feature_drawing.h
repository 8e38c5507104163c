#pragma once

#include "map/canvas.h"

namespace hoplot {

class map_level;
struct map_view;

// Draws one layer of one detail level with the pen already selected: on the flat map only the
// cells that meet the visible region, each segment only when both its ends lie on the world's
// box, split at the seam when it jumps across the map; on the globe every cell, skipping the
// far side without breaking a line. A level that was not loaded draws nothing.
void draw_feature_set(canvas& surface, const map_view& view, const map_level& level);

} // namespace hoplot
