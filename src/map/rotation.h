#pragma once

#include <chrono>

namespace hoplot {

struct map_view;

enum class rotation_direction { left, right };

// A turn moves the view this far each tick.
inline constexpr int rotation_step_pixels = 30;
inline constexpr std::chrono::milliseconds rotation_tick{50};

// Left moves the visible region east, so the picture moves left; right the other way.
int rotation_step(rotation_direction direction);

// One tick of a turn: the region moves sideways by a step and wraps around the seam.
void rotate_view(map_view& view, rotation_direction direction);

} // namespace hoplot
