#include "map/view_settings.h"

#include "base/settings.h"
#include "map/map_view.h"

namespace hoplot {

void take_display_flags(map_view& view, const settings& values) {
    view.display_cities = values.display_cities != 0;
    view.display_coastlines = values.display_coastlines != 0;
    view.display_boundaries = values.display_boundaries != 0;
    view.display_rivers = values.display_rivers != 0;
}

} // namespace hoplot
