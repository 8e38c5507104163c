#include "map/route_line.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "map/drawing_objects.h"
#include "map/map_view.h"
#include "map/projection.h"

namespace hoplot {
namespace {

constexpr double pi_as_written = 3.14159265358573;
constexpr int arc_samples = 41;

// A pixel y of -32769 or less is folded back to the remainder of its rounding divided by
// -32769, keeping its sign.
int fold_far_y(double y) {
    if (!(y <= -32769.0) || !std::isfinite(y)) return round_pixel(y);
    return static_cast<int>(std::fmod(std::trunc(y + 0.5), 32769.0));
}

void draw_flat_line(canvas& surface, const map_view& view, map_point from, map_point to) {
    const double ww = view.world_w, wh = view.world_h;
    const double sx = ww / visible_width(view), sy = wh / visible_height(view);
    const auto screen_x = [&](int map_x) {
        const double u = map_x * ww / 65536 - view.left;
        const double raw = u * sx;
        double x = (u < 0 ? u + ww : u) * sx;
        // An unwrapped view keeps an end that wraps out of the region where it lies, so that a
        // far-west hop runs off the left edge instead of reappearing on the right.
        if (!view.wrapped && (x < view.left || x > view.right)) x = raw;
        return round_pixel(x);
    };
    const auto screen_y = [&](int map_y) {
        return fold_far_y((map_y * wh / 65536 - view.top) * sy);
    };
    surface.line({screen_x(from.x), screen_y(from.y)}, {screen_x(to.x), screen_y(to.y)});
}

struct vec3 {
    double x, y, z;
};

// Direction of (u, v) in 0 .. 2π.
double angle(double u, double v) {
    const double a = u == 0 ? 1.570796326792865 : std::atan(std::fabs(v / u));
    if (v >= 0 && u < 0) return pi_as_written - a;
    if (v < 0 && u < 0) return pi_as_written + a;
    if (v < 0 && u >= 0) return 6.28318530717146 - a;
    return a;
}

void rotate_xy(vec3& p, double phi) {
    const double x = std::cos(phi) * p.x - std::sin(phi) * p.y;
    p.y = std::sin(phi) * p.x + std::cos(phi) * p.y;
    p.x = x;
}
void rotate_xz(vec3& p, double phi) {
    const double x = std::cos(phi) * p.x - std::sin(phi) * p.z;
    p.z = std::sin(phi) * p.x + std::cos(phi) * p.z;
    p.x = x;
}
void rotate_yz(vec3& p, double phi) {
    const double y = std::cos(phi) * p.y - std::sin(phi) * p.z;
    p.z = std::sin(phi) * p.y + std::cos(phi) * p.z;
    p.y = y;
}

bool end_visible(const map_view& view, map_point p) {
    double wx = p.x * static_cast<double>(view.world_w) / 65536;
    double wy = p.y * static_cast<double>(view.world_h) / 65536;
    wx = wrap_x(view, wx, static_cast<double>(view.x_offset));
    return project_globe(view, wx, wy);
}

vec3 on_sphere(double radius, double map_x, int map_y) {
    const double lon = (180 - (map_x / (65536.0 / 360) - 180)) * pi_as_written / 180;
    const double lat = (90 - map_y / (65536.0 / 180)) * pi_as_written / 180;
    return {radius * std::cos(lat) * std::sin(lon), radius * std::sin(lat),
            radius * std::cos(lat) * std::cos(lon)};
}

void draw_globe_arc(canvas& surface, const map_view& view, map_point from, map_point to) {
    if (!end_visible(view, from) && !end_visible(view, to)) return;
    const double turn = view.x_offset / (view.world_w / 65536.0);
    const auto turned = [&](int x) {
        double v = x + turn;
        if (v > 65536)
            v -= 65536;
        else if (v < 0)
            v += 65536;
        return v;
    };
    const double radius = view.globe_radius;
    vec3 a = on_sphere(radius, turned(from.x), from.y);
    vec3 b = on_sphere(radius, turned(to.x), to.y);
    vec3 n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    // Equal or opposite ends leave no plane for the arc.
    if (std::hypot(n.x, n.y, n.z) <= 1e-9 * radius * radius) return;

    const double r1 = angle(n.x, n.z);
    for (vec3* v : {&n, &a, &b})
        rotate_xz(*v, -r1);
    const double r2 = angle(n.x, n.y);
    for (vec3* v : {&n, &a, &b})
        rotate_xy(*v, -r2);
    const double r3 = angle(a.y, a.z);
    for (vec3* v : {&n, &a, &b})
        rotate_yz(*v, -r3);
    const double cosine = (a.y * b.y + a.z * b.z) / (std::hypot(a.y, a.z) * std::hypot(b.y, b.z));
    const double len = std::acos(std::clamp(cosine, -1.0, 1.0));

    const double h = radius / 5.0;
    const double k = -4 * h / (len * len);
    const int cx = view.client_w / 2, cy = view.client_h / 2;
    surface.set_pen(route_pen);
    std::vector<pixel_point> visible;
    // The samples are counted rather than stepped by len / 40, so that exactly 41 are taken.
    for (int i = 0; i < arc_samples; ++i) {
        const double t = len * i / (arc_samples - 1);
        const double rho = radius + (t - len / 2) * (t - len / 2) * k + h;
        vec3 p{0, rho * std::cos(t), rho * std::sin(t)};
        rotate_yz(p, r3);
        rotate_xy(p, r2);
        rotate_xz(p, r1);
        // Beside the disc the raised arc shows even behind the globe.
        if (p.x * p.x + p.y * p.y < radius * radius && p.z > 0) continue;
        visible.push_back({round_pixel(cx + p.x), round_pixel(cy - p.y)});
    }
    // A hidden stretch is bridged by a straight line between the samples either side of it.
    if (visible.size() > 1) surface.polyline(visible);
}

} // namespace

void draw_route_line(canvas& surface, const map_view& view, map_point from, map_point to) {
    if (view.globe_mode)
        draw_globe_arc(surface, view, from, to);
    else
        draw_flat_line(surface, view, from, to);
}

} // namespace hoplot
