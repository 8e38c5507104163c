#include "map/home_mark.h"

#include "map/drawing_objects.h"
#include "map/hop_drawing.h"

namespace hoplot {

// Eleven pixels wide: a roof of rows one to eleven pixels wide over a body with a dark door,
// standing on the point.
void draw_home_mark(canvas& surface, const map_view& view, map_point home) {
    const std::optional<pixel_point> p = hop_screen_position(view, home);
    if (!p) return;
    constexpr int half = 5;
    const int eaves = p->y - 5;
    for (int k = 0; k <= half; ++k)
        surface.fill_rect(p->x - k, eaves - half + k, p->x + k + 1, eaves - half + k + 1,
                          home_colour);
    surface.fill_rect(p->x - half + 1, eaves + 1, p->x + half, p->y + 1, home_colour);
    surface.fill_rect(p->x - 1, p->y - 2, p->x + 2, p->y + 1, background_colour);
}

} // namespace hoplot
