#include "map/paint_map.h"

#include <string>

#include "map/city_drawing.h"
#include "map/drawing_objects.h"
#include "map/feature_drawing.h"
#include "map/globe_disc.h"
#include "map/home_mark.h"
#include "map/map_frame.h"
#include "map/map_view.h"
#include "map/projection.h"
#include "map/route_drawing.h"

namespace hoplot {
namespace {

// The disc is most of a globe redraw and depends on its size and place alone, so a canvas that
// can keeps it from one redraw to the next (rotation redraws many times a second).
void put_globe_disc(canvas& surface, const map_view& view) {
    const int cx = view.client_w / 2, cy = view.client_h / 2, r = view.globe_radius;
    const std::string key =
        "globe disc " + std::to_string(cx) + " " + std::to_string(cy) + " " + std::to_string(r);
    surface.reusable(key, cx - r, cy - r, cx + r + 1, cy + r + 1,
                     [&](canvas& c) { draw_globe_disc(c, cx, cy, r); });
}

// Layers, cities and route of the view, the layers at the given level.
void draw_content(canvas& surface, const map_view& view, int level) {
    const auto layer = [&](bool flag, const pen& p, const auto& levels) {
        if (!flag) return;
        surface.set_pen(p);
        draw_feature_set(surface, view, levels[static_cast<std::size_t>(level)]);
    };
    layer(view.display_coastlines, coastline_pen, view.maps->coastlines);
    layer(view.display_rivers, river_pen, view.maps->rivers);
    layer(view.display_boundaries, boundary_pen, view.maps->boundaries);
    if (view.display_cities) draw_cities(surface, view);
    // Under the route: a hop at home keeps its dot, at the house's door.
    if (view.home) draw_home_mark(surface, view, *view.home);
    if (view.current_route) draw_route(surface, view, *view.current_route);
}

} // namespace

void clip_to_map_area(canvas& surface, const map_view& view) {
    const pixel_rect area = map_area(view);
    surface.set_clip(area.left, area.top, area.right, area.bottom);
}

int loaded_level_at_most(const map_view& view, int level) {
    while (level > 0 && !level_loaded(*view.maps, level))
        --level;
    return level;
}

void paint_map(canvas& surface, map_view& view) {
    surface.fill_rect(0, 0, view.client_w, view.client_h, background_colour);
    clip_to_map_area(surface, view);
    // The globe always draws the Low level; the flat map's level follows the zoom, and until
    // that level has been read the flat map is drawn at the level below it.
    if (view.globe_mode) {
        put_globe_disc(surface, view);
        draw_content(surface, view, 0);
    } else {
        select_level(view);
        draw_content(surface, view, loaded_level_at_most(view, view.level));
    }
}

} // namespace hoplot
