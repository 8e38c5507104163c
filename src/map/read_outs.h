#pragma once

#include <optional>
#include <string>

#include "map/map_view.h"

namespace hoplot {

// The hemisphere letters last shown for the mouse: off the globe the dashes keep them.
struct hemisphere_letters {
    char latitude = 'N';
    char longitude = 'E';
};

// The values of the information box, with the spacing they are shown with.
std::string trace_count_text(int count);
std::string zoom_text(int zoom);
// The middle of what the map shows.
std::string view_centre_text(const map_view& view);

// The world pixel under a point of the map window's client area, through the globe when it is
// shown; none when the point lies off the globe or in a margin beside the flat map.
std::optional<pixel_point> world_under(const map_view& view, pixel_point client);

// The mouse line: latitude and longitude of the point, or dashes with the last letters off the
// globe or the flat map. Remembers the letters it shows.
std::string mouse_text(const map_view& view, pixel_point client, hemisphere_letters& last);

// What the mouse line shows before the mouse has been over the map.
std::string mouse_placeholder_text();

} // namespace hoplot
