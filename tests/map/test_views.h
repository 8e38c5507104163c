#pragma once

#include "geolocation/location.h"
#include "map/map_view.h"

namespace hoplot::test {

// The whole flat world in a window of exactly the world's size.
inline map_view whole_world_view() {
    map_view view;
    view.world_w = view.client_w = view.page_w = world_width;
    view.world_h = view.client_h = view.page_h = world_height;
    view.right = world_width;
    view.bottom = world_height;
    view.zoom = 1;
    view.max_level = 3;
    view.globe_radius = world_width / 3;
    return view;
}

// The flat map showing the region from (left, top) to (right, bottom) in world pixels.
inline map_view region_view(int left, int top, int right, int bottom, int level) {
    map_view view = whole_world_view();
    view.left = left;
    view.top = top;
    view.right = right;
    view.bottom = bottom;
    view.wrapped = left > right;
    view.level = level;
    return view;
}

// The globe, unturned: 180°E/W lies behind it and 0° faces the viewer.
inline map_view globe_view() {
    map_view view = whole_world_view();
    view.globe_mode = true;
    return view;
}

// Map units of a longitude and latitude in degrees, east and north positive.
inline map_point map_units(double longitude, double latitude) {
    return {static_cast<int>(65536 / 360.0 * (longitude + 180) + 0.5),
            static_cast<int>(65536 / 180.0 * (90 - latitude) + 0.5)};
}

} // namespace hoplot::test
