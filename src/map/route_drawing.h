#pragma once

#include <string>

#include "geolocation/location.h"
#include "map/canvas.h"

namespace hoplot {

struct map_view;
struct route_rec;

// The drawing steps of a route, each with its own pen and brush: used by the full picture and,
// one by one, for the live drawing of a trace as its hops come in. A hop whose position its
// round trip rules out is a hollow dot, and the lines to and from it are dashed.
void mark_hop(canvas& surface, const map_view& view, map_point at, bool doubtful = false);
void join_hops(canvas& surface, const map_view& view, map_point from, map_point to,
               bool doubtful = false);
// label_index counts tenths of a turn (0 east, 5 west); kind 1 is a DNS LOC position.
void label_hop(canvas& surface, const map_view& view, const std::string& text, int label_index,
               int kind, map_point at);

// The whole route: every point's label then its dot, place by place, and the line to the next
// place with the place's dot drawn again over the line's end. Lines join the places' first
// points. Label indices run 0..10, 1..10,
// ... over the route, each shifted by its place's label base.
void draw_route(canvas& surface, const map_view& view, const route_rec& route);

} // namespace hoplot
