#include "map/map_view.h"

#include <cmath>
#include <cstdlib>

#include "map/map_frame.h"
#include "map/projection.h"

namespace hoplot {
namespace {

double aspect_ratio(const map_view& view) {
    return static_cast<double>(view.world_w) / view.world_h;
}

double scale(int extent, int span) {
    return span != 0 ? static_cast<double>(extent) / span : static_cast<double>(extent);
}

// Both corners agree with the world's aspect ratio already.
bool has_world_ratio(const map_view& view, const pixel_point& p0, const pixel_point& p1) {
    const int dy = p1.y - p0.y;
    return dy != 0 && static_cast<double>(p1.x - p0.x) / dy == aspect_ratio(view);
}

// Cuts the region to the magnification limit, keeping its left edge. The sizes are fitted with
// the left edge as origin, so that a region pushed across the seam keeps the limit's size
// instead of being fitted to the negative difference of its wrapped edges.
void shrink_to_limit(map_view& view, double limit) {
    const double width = std::sqrt(view.world_w * aspect_ratio(view) * view.world_h / limit);
    pixel_point p0{0, view.top};
    pixel_point p1{round_pixel(width), view.bottom};
    fit_height(view, p0, p1);
    if (p1.y > view.world_h) {
        p0.y -= p1.y - view.world_h;
        p1.y = view.world_h;
        fit_width(view, p0, p1);
    }
    const int right = view.left + p1.x;
    view.wrapped = right > view.world_w;
    view.right = view.wrapped ? right - view.world_w : right;
    view.top = p0.y;
    view.bottom = p1.y;
}

// The highest zoom allowed.
double zoom_limit(const map_view& view) {
    // With no level loaded there is no threshold to index: the view stays unmagnified.
    if (view.max_level < 0) return 1.0;
    return zoom_thresholds[view.max_level < 3 ? view.max_level : 3];
}

void show_whole_world(map_view& view) {
    view.left = 0;
    view.top = 0;
    view.right = view.world_w;
    view.bottom = view.world_h;
    view.x_offset = 0;
    view.wrapped = false;
}

} // namespace

int visible_width(const map_view& view) {
    return view.wrapped ? view.world_w + view.right - view.left : view.right - view.left;
}

int visible_height(const map_view& view) {
    return view.bottom - view.top;
}

double horizontal_scale(const map_view& view) {
    return scale(view.world_w, visible_width(view));
}

double vertical_scale(const map_view& view) {
    return scale(view.world_h, visible_height(view));
}

void shift_view_x(map_view& view, int d) {
    view.x_offset = wrap_x(view, view.x_offset, d);
    view.left = wrap_x(view, view.left, -d);
    view.right = wrap_x(view, view.right, -d);
    if (view.right > view.left) {
        view.wrapped = false;
    } else if (view.left == view.world_w) {
        view.left = 0;
        view.wrapped = false;
    } else if (view.right == 0) {
        view.right = view.world_w;
        view.wrapped = false;
    } else {
        view.wrapped = true;
    }
}

void shift_view_y(map_view& view, int d) {
    view.y_offset += d;
    view.top -= d;
    view.bottom -= d;
}

void fit_height(const map_view& view, const pixel_point& p0, pixel_point& p1) {
    if (view.world_h == 0 || has_world_ratio(view, p0, p1)) return;
    const int h = static_cast<int>(std::abs(p1.x - p0.x) / aspect_ratio(view));
    p1.y = p1.y < p0.y ? p0.y - h : p0.y + h;
}

void fit_width(const map_view& view, const pixel_point& p0, pixel_point& p1) {
    if (view.world_h == 0 || has_world_ratio(view, p0, p1)) return;
    const int w = static_cast<int>(std::abs(p1.y - p0.y) * aspect_ratio(view));
    p1.x = p0.x + w;
    if (p1.x > view.world_w) p1.x -= view.world_w;
}

void set_view_rect(map_view& view, pixel_point p0, pixel_point p1) {
    auto set = [&view](int left, int top, int right, int bottom) {
        view.left = left;
        view.top = top;
        view.right = right;
        view.bottom = bottom;
    };
    if (p1.x >= p0.x && p1.y >= p0.y) {
        set(p0.x, p0.y, p1.x, p1.y);
        view.wrapped = false;
    } else if (p1.x <= p0.x && p1.y <= p0.y) {
        if (view.wrapped)
            set(p0.x, p1.y, p1.x, p0.y);
        else
            set(p1.x, p1.y, p0.x, p0.y);
    } else if (p1.x > p0.x) {
        set(p0.x, p1.y, p1.x, p0.y);
        view.wrapped = false;
    } else if (view.wrapped) {
        set(p0.x, p0.y, p1.x, p1.y);
    } else {
        set(p1.x, p0.y, p0.x, p1.y);
    }
}

void update_zoom(map_view& view, map_view_listener& listener) {
    view.zoom = truncate_to_int(horizontal_scale(view) * vertical_scale(view));
    const double limit = zoom_limit(view);
    if (view.zoom <= limit) return;
    view.zoom = static_cast<int>(limit);
    if (view.max_level == 3)
        listener.show_message("Can't zoom in any further");
    else
        listener.show_missing_maps();
    shrink_to_limit(view, limit);
}

void select_level(map_view& view) {
    for (int i = 0; i < 3; ++i) {
        if (zoom_thresholds[i] >= view.zoom) {
            view.level = i;
            return;
        }
    }
    view.level = 2;
}

void reset_view(map_view& view, map_view_listener& listener) {
    show_whole_world(view);
    view.y_offset = 0;
    view.zoomed = false;
    update_zoom(view, listener);
}

void set_flat_mode(map_view& view, map_view_listener& listener) {
    if (!view.globe_mode) return;
    view.globe_mode = false;
    listener.check_map_mode(false);
    reset_view(view, listener);
    listener.update_scroll_bars();
}

void set_globe_mode(map_view& view, map_view_listener& listener) {
    if (view.globe_mode) return;
    view.globe_mode = true;
    listener.check_map_mode(true);
    reset_view(view, listener);
    listener.update_scroll_bars();
}

void resize_view(map_view& view, int client_w, int client_h, map_view_listener& listener) {
    if (client_h == 0) return;
    const bool first = view.world_w == 0;
    if (first) {
        view.world_w = world_width;
        view.world_h = world_height;
    }
    view.client_w = client_w;
    view.client_h = client_h;
    view.globe_radius = globe_radius_of(view);
    if (!first) return;
    show_whole_world(view);
    update_zoom(view, listener);
}

degrees_read_out longitude_read_out(const map_view& view, double wx) {
    if (view.world_w <= 0) return {}; // not sized yet
    // A turned globe or a region across the seam reaches past the world's edges: the same
    // meridians again.
    if (wx < 0 || wx > view.world_w) {
        wx = std::fmod(wx, static_cast<double>(view.world_w));
        if (wx < 0) wx += view.world_w;
    }
    const double longitude = wx / (view.world_w / 360.0) - 180;
    if (longitude >= 0) return {longitude, 'E'};
    return {-longitude, 'W'};
}

degrees_read_out latitude_read_out(const map_view& view, double wy) {
    if (view.world_h <= 0) return {0.0, 'N'};
    const double latitude = 90 - wy / (view.world_h / 180.0);
    if (latitude >= 0) return {latitude, 'N'};
    return {-latitude, 'S'};
}

} // namespace hoplot
