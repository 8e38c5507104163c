#include "map/read_outs.h"

#include <cstdio>

#include "map/map_frame.h"
#include "map/projection.h"

namespace hoplot {
namespace {

std::string printed(const char* format, auto... values) {
    char text[96];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// Latitude then longitude, each as "%5.2f° %c".
std::string position_text(const map_view& view, double wx, double wy) {
    const degrees_read_out lat = latitude_read_out(view, wy);
    const degrees_read_out lon = longitude_read_out(view, wx);
    return printed("%5.2f\u00b0 %c, %5.2f\u00b0 %c   ", lat.degrees, lat.letter, lon.degrees,
                   lon.letter);
}

std::string dashes_text(hemisphere_letters letters) {
    return printed("  -     \u00b0 %c,     -   \u00b0 %c  ", letters.latitude, letters.longitude);
}

} // namespace

std::string trace_count_text(int count) {
    return printed(" %d", count);
}

std::string zoom_text(int zoom) {
    return printed(" %d:1", zoom);
}

std::string view_centre_text(const map_view& view) {
    const real_rect shown = shown_region(view);
    std::string text = " ";
    text += position_text(view, (shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2);
    return text;
}

std::optional<pixel_point> world_under(const map_view& view, pixel_point client) {
    if (view.globe_mode) {
        if (!unproject_globe(view, client.x, client.y)) return std::nullopt;
    } else if (!map_area(view).contains(client)) {
        return std::nullopt;
    }
    unproject_flat(view, client.x, client.y);
    return client;
}

std::string mouse_text(const map_view& view, pixel_point client, hemisphere_letters& last) {
    const std::optional<pixel_point> world = world_under(view, client);
    if (!world) return dashes_text(last);
    last = {latitude_read_out(view, world->y).letter, longitude_read_out(view, world->x).letter};
    return position_text(view, world->x, world->y);
}

std::string mouse_placeholder_text() {
    return dashes_text({});
}

} // namespace hoplot
