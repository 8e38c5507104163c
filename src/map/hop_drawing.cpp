#include "map/hop_drawing.h"

#include <cmath>

#include "map/map_view.h"
#include "map/projection.h"

namespace hoplot {
namespace {

constexpr int flat_dot_radii[3] = {2, 4, 8};
constexpr int flat_font_heights[3] = {9, 14, 18};
constexpr int globe_dot_radius = 2;
constexpr int globe_font_height = 9;
constexpr const char* label_face = "Ariel";
constexpr double pi_as_written = 3.141592;

int level_index(const map_view& view) {
    return view.level < 0 ? 0 : view.level > 2 ? 2 : view.level;
}

int label_font_height(const map_view& view) {
    return view.globe_mode ? globe_font_height : flat_font_heights[level_index(view)];
}

} // namespace

std::optional<pixel_point> hop_screen_position(const map_view& view, map_point at) {
    const pixel_point p = map_to_screen(view, at.x, at.y);
    if (!view.globe_mode) return p;
    double x = p.x, y = p.y;
    if (!project_globe(view, x, y)) return std::nullopt;
    return pixel_point{round_pixel(x), round_pixel(y)};
}

int hop_dot_radius(const map_view& view) {
    return view.globe_mode ? globe_dot_radius : flat_dot_radii[level_index(view)];
}

void draw_hop_dot(canvas& surface, const map_view& view, map_point at) {
    const std::optional<pixel_point> p = hop_screen_position(view, at);
    if (!p) return;
    const int r = hop_dot_radius(view);
    surface.ellipse(p->x - r, p->y - r, p->x + r, p->y + r);
}

void draw_hop_label(canvas& surface, const map_view& view, const std::string& text, double fraction,
                    map_point at, int colour) {
    const std::optional<pixel_point> p = hop_screen_position(view, at);
    if (!p) return;
    const int e0 = static_cast<int>(fraction * 3600);
    int e = e0;
    const int height = label_font_height(view);
    surface.set_font({height, e, label_face});
    const int half_line = surface.line_height() / 2;
    text_align align = text_align::left_top;
    if (e > 900 && e < 2700) {
        // Text running leftward would read upside down: turn it and end it at the anchor.
        e -= 1800;
        surface.set_font({height, e, label_face});
        align = text_align::right_top;
    }
    // Half a line across the text direction, so that the line runs through the dot's centre.
    const double a = (90 - e / 10.0) / 180 * pi_as_written;
    double x = p->x - std::cos(a) * half_line;
    double y = p->y - std::sin(a) * half_line;
    // Then out along the label's direction, clear of the dot.
    const double d = hop_dot_radius(view) + 5;
    const double b = e0 / 10.0 / 180 * pi_as_written;
    x += std::cos(b) * d;
    y -= std::sin(b) * d;
    surface.text({round_pixel(x), round_pixel(y)}, text, colour, align);
}

} // namespace hoplot
