#include "map/map_frame.h"

#include <algorithm>
#include <cmath>

#include "map/projection.h"

namespace hoplot {

flat_transform flat_transform_of(const map_view& view) {
    flat_transform t;
    t.world_w = view.world_w;
    t.centre_x = view.left + visible_width(view) / 2.0;
    t.centre_y = view.top + visible_height(view) / 2.0;
    if (view.globe_mode) {
        t.middle_x = view.world_w / 2.0;
        t.middle_y = view.world_h / 2.0;
        t.scale_x = horizontal_scale(view);
        t.scale_y = vertical_scale(view);
    } else {
        const double s = frame_scale(view);
        t.middle_x = view.client_w / 2.0;
        t.middle_y = view.client_h / 2.0;
        t.scale_x = s * horizontal_scale(view);
        t.scale_y = s * vertical_scale(view);
    }
    return t;
}

double frame_scale(const map_view& view) {
    if (view.world_w <= 0 || view.world_h <= 0) return 0;
    return std::min(static_cast<double>(view.client_w) / view.world_w,
                    static_cast<double>(view.client_h) / view.world_h);
}

int globe_radius_of(const map_view& view) {
    const double s = frame_scale(view);
    const int frame_w = truncate_to_int(view.world_w * s);
    const int frame_h = truncate_to_int(view.world_h * s);
    const int r = frame_w / 3;
    return 2 * r > frame_h ? frame_h / 3 : r;
}

real_rect map_box(const map_view& view) {
    const double w = view.client_w, h = view.client_h;
    if (view.globe_mode) return {0, 0, w, h};
    const flat_transform t = flat_transform_of(view);
    const double half_world = t.world_w / 2 * t.scale_x;
    const double north = t.screen_y(std::min(view.top, 0));
    const double south = t.screen_y(std::max(view.bottom, view.world_h));
    return {std::max(0.0, t.middle_x - half_world), std::max(0.0, north),
            std::min(w, t.middle_x + half_world), std::min(h, south)};
}

pixel_rect map_area(const map_view& view) {
    if (view.globe_mode) return {0, 0, view.client_w, view.client_h};
    const real_rect box = map_box(view);
    return {round_pixel(box.left), round_pixel(box.top),
            std::min(view.client_w, round_pixel(box.right) + 1),
            std::min(view.client_h, round_pixel(box.bottom) + 1)};
}

real_rect shown_region(const map_view& view) {
    real_rect shown;
    if (view.globe_mode) {
        // The hemisphere that faces the viewer, from pole to pole.
        const double centre = view.left + visible_width(view) / 2.0;
        shown = {centre - view.world_w / 4.0, static_cast<double>(view.top),
                 centre + view.world_w / 4.0, static_cast<double>(view.bottom)};
    } else {
        const flat_transform t = flat_transform_of(view);
        const real_rect box = map_box(view);
        shown = {t.world_x(box.left), t.world_y(box.top), t.world_x(box.right),
                 t.world_y(box.bottom)};
    }
    // West edge in 0..world_w; the east edge follows it across the seam.
    const double w = view.world_w;
    const double turns = w > 0 ? std::floor(shown.left / w) : 0;
    shown.left -= turns * w;
    shown.right -= turns * w;
    return shown;
}

} // namespace hoplot
