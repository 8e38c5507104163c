#include "map/route_line.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "map/drawing_objects.h"
#include "map/map_frame.h"
#include "map/map_view.h"
#include "map/projection.h"

namespace hoplot {
namespace {

constexpr double pi_as_written = 3.14159265358573;
constexpr int arc_samples = 41;

// Cuts the segment a-b to the box (Liang-Barsky); false when none of it lies inside. Far-off
// ends of a deeply zoomed view never reach the integer pixels this way.
bool clip_to_box(const real_rect& box, double& ax, double& ay, double& bx, double& by) {
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {ax - box.left, box.right - ax, ay - box.top, box.bottom - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    bx = ax + t1 * dx;
    by = ay + t1 * dy;
    ax += t0 * dx;
    ay += t0 * dy;
    return true;
}

// A piece of route that does not cross the seam, world x in 0..world_w. The map area may show
// the world again beyond the seam, so the piece is laid out once for each world width it may be
// seen at.
void draw_flat_piece(canvas& surface, const map_view& view, double x1, double y1, double x2,
                     double y2) {
    const flat_transform t = flat_transform_of(view);
    const real_rect box = map_box(view);
    const double ax = t.screen_x(x1), bx = ax + (x2 - x1) * t.scale_x;
    const double turn = view.world_w * t.scale_x;
    for (const double shift : {0.0, -turn, turn}) {
        double px = ax + shift, py = t.screen_y(y1), qx = bx + shift, qy = t.screen_y(y2);
        if (std::max(px, qx) <= box.left || std::min(px, qx) >= box.right) continue;
        if (!clip_to_box(box, px, py, qx, qy)) continue;
        surface.line({round_pixel(px), round_pixel(py)}, {round_pixel(qx), round_pixel(qy)});
    }
}

// The shorter way round: a line that crosses the 180° meridian is split there and goes on from
// the opposite edge, like the coastlines.
void draw_flat_line(canvas& surface, const map_view& view, map_point from, map_point to) {
    const double ww = view.world_w, wh = view.world_h;
    const double x1 = from.x * ww / 65536, y1 = from.y * wh / 65536;
    const double x2 = to.x * ww / 65536, y2 = to.y * wh / 65536;
    double dx = x2 - x1;
    if (dx > ww / 2)
        dx -= ww;
    else if (dx < -ww / 2)
        dx += ww;
    const double end = x1 + dx;
    if (end >= 0 && end <= ww) {
        draw_flat_piece(surface, view, x1, y1, end, y2);
        return;
    }
    const double seam = end < 0 ? 0 : ww;
    const double y_seam = y1 + (seam - x1) / dx * (y2 - y1);
    draw_flat_piece(surface, view, x1, y1, seam, y_seam);
    draw_flat_piece(surface, view, ww - seam, y_seam, x2, y2);
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

vec3 on_sphere(double radius, double map_x, double map_y) {
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
    // Scrolled vertically, the features and dots move by the y offset: the arc moves with them.
    const double lift = view.y_offset * (65536.0 / view.world_h);
    const double radius = view.globe_radius;
    vec3 a = on_sphere(radius, turned(from.x), from.y + lift);
    vec3 b = on_sphere(radius, turned(to.x), to.y + lift);
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
