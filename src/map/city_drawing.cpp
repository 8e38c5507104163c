#include "map/city_drawing.h"

#include <algorithm>

#include "map/drawing_objects.h"
#include "map/hop_drawing.h"
#include "map/map_view.h"

namespace hoplot {

void draw_cities(canvas& surface, const map_view& view) {
    const int level = view.globe_mode ? 0 : std::clamp(view.level, 0, 1);
    surface.set_pen(city_pen);
    surface.set_brush(city_brush);
    for (const CityRecord& city : (*view.cities)[static_cast<std::size_t>(level)]) {
        const map_point at{city.x, city.y};
        draw_hop_dot(surface, view, at);
        draw_hop_label(surface, view, city.name, 0.0, at, city_label_colour);
    }
}

} // namespace hoplot
