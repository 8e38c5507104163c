#pragma once

#include <string>
#include <vector>

#include "map/map_view.h"

namespace hoplot {

// Notes every request the view operations make of the window, in order.
class recording_listener final : public map_view_listener {
  public:
    void check_map_mode(bool globe) override {
        requests.push_back(globe ? "check globe" : "check flat");
    }
    void update_scroll_bars() override { requests.push_back("scroll bars"); }
    void show_message(const std::string& text) override { requests.push_back("message " + text); }
    void show_missing_maps() override { requests.push_back("missing maps"); }

    std::vector<std::string> requests;
};

// A view sized to the given client area, every level loaded unless told otherwise.
inline map_view sized_view(int client_w = world_width, int client_h = world_height,
                           int max_level = 3) {
    map_view view;
    view.max_level = max_level;
    recording_listener listener;
    resize_view(view, client_w, client_h, listener);
    return view;
}

inline void set_region(map_view& view, int left, int top, int right, int bottom,
                       bool wrapped = false) {
    view.left = left;
    view.top = top;
    view.right = right;
    view.bottom = bottom;
    view.wrapped = wrapped;
}

} // namespace hoplot
