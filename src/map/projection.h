#pragma once

#include "map/map_view.h"

namespace hoplot {

// Truncation toward zero that saturates at the int range; a non-number gives 0.
int truncate_to_int(double value);

// A real coordinate becomes a pixel by adding 0.5 and truncating toward zero (-0.7 gives 0,
// -1.7 gives -1), saturating as above.
int round_pixel(double value);

// Adds d to a world x and brings the sum back by one world width.
int wrap_x(const map_view& view, int v, int d);
double wrap_x(const map_view& view, double v, double d);

// World pixels to screen pixels on the flat map (in globe mode: to the turned world), through
// the view's flat_transform (map_frame.h).
void project_flat(const map_view& view, double& wx, double& wy);

// Map units to world pixels.
world_position map_to_world(const map_view& view, int x, int y);

// Map units to world pixels, projected flat and rounded.
pixel_point map_to_screen(const map_view& view, int x, int y);

// Screen pixels to world pixels, brought into the world and rounded.
void unproject_flat(const map_view& view, int& sx, int& sy);

// A turned world position onto the globe. False, leaving the point alone, when it lies on the
// far hemisphere.
bool project_globe(const map_view& view, double& wx, double& wy);

// A screen position to a world position in the unturned globe frame. False when the point lies
// off the disc; it is then extrapolated beyond the limb.
bool unproject_globe(const map_view& view, int& sx, int& sy);

} // namespace hoplot
