#pragma once

#include <string>
#include <vector>

#include "geolocation/location.h"
#include "map/map_view.h"

namespace hoplot::test {

// Notes every request the view operations make of the window, in order.
struct recording_listener final : map_view_listener {
    std::vector<std::string> requests;
    void check_map_mode(bool globe) override {
        requests.push_back(globe ? "check globe" : "check flat");
    }
    void update_scroll_bars() override { requests.push_back("scroll bars"); }
    void show_message(const std::string& text) override { requests.push_back("message " + text); }
    void show_missing_maps() override { requests.push_back("missing maps"); }
};

// The whole flat world in a window of the given size, every level loaded unless told otherwise.
inline map_view sized_view(int client_w = world_width, int client_h = world_height,
                           int max_level = 3) {
    map_view view;
    view.max_level = max_level;
    recording_listener listener;
    resize_view(view, client_w, client_h, listener);
    return view;
}

// The region from (left, top) to (right, bottom) in world pixels; across the seam when left is
// not west of right.
inline void set_region(map_view& view, int left, int top, int right, int bottom) {
    view.left = left;
    view.top = top;
    view.right = right;
    view.bottom = bottom;
    view.wrapped = left >= right;
}

inline map_view region_view(int left, int top, int right, int bottom, int level = 0) {
    map_view view = sized_view();
    set_region(view, left, top, right, bottom);
    view.level = level;
    return view;
}

// The globe, unturned: 180°E/W lies behind it and 0° faces the viewer.
inline map_view globe_view(int client_w = world_width, int client_h = world_height) {
    map_view view = sized_view(client_w, client_h);
    view.globe_mode = true;
    return view;
}

// Map units of a longitude and latitude in degrees, east and north positive.
inline map_point map_units(double longitude, double latitude) {
    return {static_cast<int>(65536 / 360.0 * (longitude + 180) + 0.5),
            static_cast<int>(65536 / 180.0 * (90 - latitude) + 0.5)};
}

} // namespace hoplot::test
