#pragma once

#include "map/canvas.h"

namespace hoplot {

// The globe's shaded disc of the given radius: concentric filled circles 5 pixels apart, from
// dark at the rim to lighter blue-green at the centre, without outline.
void draw_globe_disc(canvas& surface, int centre_x, int centre_y, int radius);

} // namespace hoplot
