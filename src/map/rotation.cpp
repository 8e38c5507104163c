#include "map/rotation.h"

#include "map/map_view.h"

namespace hoplot {

int rotation_step(rotation_direction direction) {
    return direction == rotation_direction::left ? -rotation_step_pixels : rotation_step_pixels;
}

void rotate_view(map_view& view, rotation_direction direction) {
    shift_view_x(view, rotation_step(direction));
}

} // namespace hoplot
