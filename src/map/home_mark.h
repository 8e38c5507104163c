#pragma once

#include "geolocation/location.h"
#include "map/canvas.h"

namespace hoplot {

struct map_view;

// A small house standing on the user's home; nothing on the globe's far side.
void draw_home_mark(canvas& surface, const map_view& view, map_point home);

} // namespace hoplot
