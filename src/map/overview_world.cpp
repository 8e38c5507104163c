#include "map/overview_world.h"

#include "map/drawing_objects.h"
#include "map/feature_drawing.h"
#include "map/map_view.h"

namespace hoplot {

void draw_overview_world(canvas& surface, const map_data& maps, int picture_w, int picture_h) {
    surface.fill_rect(0, 0, picture_w, picture_h, background_colour);
    if (picture_w <= 0 || picture_h <= 0) return;
    // A flat view of the whole world whose world is the picture, two pixels wider as the
    // overview's scale has it.
    map_view world;
    world.world_w = picture_w + 2;
    world.world_h = picture_h;
    world.right = world.client_w = world.world_w;
    world.bottom = world.client_h = world.world_h;
    surface.set_pen(coastline_pen);
    draw_feature_set(surface, world, maps.coastlines[0]);
}

} // namespace hoplot
