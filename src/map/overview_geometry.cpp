#include "map/overview_geometry.h"

#include "map/map_frame.h"
#include "map/projection.h"
#include "map/read_outs.h"

namespace hoplot {

overview_scale overview_scale_for(const map_view& view, int picture_w, int picture_h) {
    // A view that was never sized has no world yet: nothing to place on the picture.
    if (view.world_w == 0 || view.world_h == 0) return {};
    return {(picture_w + 2.0) / view.world_w, static_cast<double>(picture_h) / view.world_h};
}

overview_rects overview_visible_rects(const map_view& view, int picture_w, int picture_h) {
    const overview_scale k = overview_scale_for(view, picture_w, picture_h);
    const auto x = [&](double wx) { return round_pixel(wx * k.x); };
    const auto y = [&](double wy) { return round_pixel(wy * k.y); };
    const real_rect shown = shown_region(view);
    const int top = y(shown.top);
    const int bottom = y(shown.bottom);
    const double w = view.world_w;
    if (shown.right > w)
        return {{x(shown.left), top, x(w), bottom}, {0, top, x(shown.right - w), bottom}};
    return {{x(shown.left), top, x(shown.right), bottom}, {}};
}

std::optional<pixel_point> overview_cross_hair(const map_view& view, pixel_point client,
                                               int picture_w, int picture_h) {
    const std::optional<pixel_point> world = world_under(view, client);
    if (!world) return std::nullopt;
    const overview_scale k = overview_scale_for(view, picture_w, picture_h);
    return pixel_point{round_pixel(world->x * k.x), round_pixel(world->y * k.y)};
}

} // namespace hoplot
