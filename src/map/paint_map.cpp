#include "map/paint_map.h"

#include "map/city_drawing.h"
#include "map/drawing_objects.h"
#include "map/feature_drawing.h"
#include "map/globe_disc.h"
#include "map/map_view.h"
#include "map/projection.h"
#include "map/route_drawing.h"

namespace hoplot {

void paint_map(canvas& surface, map_view& view) {
    surface.fill_rect(0, 0, view.client_w, view.client_h, background_colour);
    if (view.globe_mode)
        draw_globe_disc(surface, view.client_w / 2, view.client_h / 2, view.globe_radius);
    else
        select_level(view);
    // The globe always draws the Low level; the flat map's level follows the zoom.
    const int level = view.globe_mode ? 0 : view.level;
    const auto layer = [&](bool flag, const pen& p, const auto& levels) {
        if (!flag) return;
        surface.set_pen(p);
        draw_feature_set(surface, view, levels[static_cast<std::size_t>(level)]);
    };
    layer(view.display_coastlines, coastline_pen, view.maps->coastlines);
    layer(view.display_rivers, river_pen, view.maps->rivers);
    layer(view.display_boundaries, boundary_pen, view.maps->boundaries);
    if (view.display_cities) draw_cities(surface, view);
    if (view.current_route) draw_route(surface, view, *view.current_route);
}

} // namespace hoplot
