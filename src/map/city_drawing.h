#pragma once

#include "map/canvas.h"

namespace hoplot {

struct map_view;

// The cities of the view's detail level (the Medium list at High, the Low list on the globe)
// as green dots with their names, with the city pen and brush selected here.
void draw_cities(canvas& surface, const map_view& view);

} // namespace hoplot
