#pragma once

#include "map/canvas.h"

namespace hoplot {

// The map's pens and brushes (0x00BBGGRR colours).
inline constexpr pen coastline_pen{0xFFFFFF, pen_style::solid};
inline constexpr pen river_pen{0xFF0000, pen_style::solid};
inline constexpr pen boundary_pen{0xFFFF00, pen_style::dash};
inline constexpr pen city_pen{0x00FF00, pen_style::solid};
inline constexpr brush city_brush{0x00FF00, brush_style::solid};
inline constexpr pen route_pen{0x0000FF, pen_style::solid};
inline constexpr pen hop_pen{0x0000FF, pen_style::solid};
inline constexpr brush hop_brush{0x0000FF, brush_style::solid};
inline constexpr pen doubtful_route_pen{0x0000FF, pen_style::dash};
inline constexpr brush doubtful_hop_brush{0x000000, brush_style::none};
inline constexpr int home_colour = 0xFFFFFF;

inline constexpr int background_colour = 0x000000;
inline constexpr int label_colour = 0x00FFFF;     // a hop placed by any other source
inline constexpr int loc_label_colour = 0x007FFF; // a hop placed by a DNS LOC record
inline constexpr int city_label_colour = 0x00FF00;

// The label colour of a route point of the given kind.
constexpr int label_colour_of_kind(int kind) {
    return kind == 1 ? loc_label_colour : label_colour;
}

} // namespace hoplot
