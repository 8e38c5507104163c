#include "map/route_drawing.h"

#include <algorithm>

#include "map/drawing_objects.h"
#include "map/hop_drawing.h"
#include "map/route_line.h"
#include "trace/route.h"

namespace hoplot {

void mark_hop(canvas& surface, const map_view& view, map_point at, bool doubtful) {
    surface.set_pen(hop_pen);
    surface.set_brush(doubtful ? doubtful_hop_brush : hop_brush);
    draw_hop_dot(surface, view, at);
}

void join_hops(canvas& surface, const map_view& view, map_point from, map_point to, bool doubtful) {
    surface.set_pen(doubtful ? doubtful_route_pen : route_pen);
    draw_route_line(surface, view, from, to);
}

void label_hop(canvas& surface, const map_view& view, const std::string& text, int label_index,
               int kind, map_point at) {
    draw_hop_label(surface, view, text, label_index / 10.0, at, label_colour_of_kind(kind));
}

void draw_route(canvas& surface, const map_view& view, const route_rec& route) {
    int k = 0;
    for (std::size_t i = 0; i < route.places.size(); ++i) {
        const hop_group& place = route.places[i];
        const std::size_t count =
            std::min(place.points.size(), static_cast<std::size_t>(std::max(place.point_count, 0)));
        for (std::size_t j = 0; j < count; ++j) {
            const point_rec& point = place.points[j];
            label_hop(surface, view, point.label, k + place.label_base, point.kind, point.position);
            k = next_label_index(k);
            mark_hop(surface, view, point.position, point.doubtful);
        }
        if (i + 1 < route.places.size() && !place.points.empty() &&
            !route.places[i + 1].points.empty()) {
            const point_rec& here = place.points.front();
            const point_rec& next = route.places[i + 1].points.front();
            join_hops(surface, view, here.position, next.position, here.doubtful || next.doubtful);
            mark_hop(surface, view, here.position, here.doubtful);
        }
    }
}

} // namespace hoplot
