#include "map/home_mark.h"

#include "map/drawing_objects.h"
#include "map/hop_drawing.h"

namespace hoplot {

// A roof of rows one pixel wider on each side over a body as wide, with a dark door. The house
// is a few pixels larger than a hop's dot at every level, so that a hop at home sits in its door
// with the house showing round it.
void draw_home_mark(canvas& surface, const map_view& view, map_point home) {
    const std::optional<pixel_point> p = hop_screen_position(view, home);
    if (!p) return;
    const int r = hop_dot_radius(view);
    const int half = r + 3;
    const int base = p->y + r + 2; // the row below the house
    const int eaves = base - (2 * r + 3);
    for (int k = 0; k <= half; ++k)
        surface.fill_rect(p->x - k, eaves - half + k, p->x + k + 1, eaves - half + k + 1,
                          home_colour);
    surface.fill_rect(p->x - half + 1, eaves, p->x + half, base, home_colour);
    surface.fill_rect(p->x - 1, base - r - 2, p->x + 2, base, background_colour);
}

} // namespace hoplot
