#include "map/projection.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "map/map_frame.h"

namespace hoplot {
namespace {

// The pictures are made of these constants, not of exact multiples of pi.
constexpr double full_turn = 6.28;
constexpr double quarter_turn = 1.57;
constexpr double half_turn = 3.14159265;
constexpr double exact_full_turn = 6.2831853;

constexpr double map_units = 65536.0;

// asin of a value that rounding, or a point far off the disc, pushed out of -1..1.
double clamped_asin(double value) {
    return std::asin(std::clamp(value, -1.0, 1.0));
}

} // namespace

int truncate_to_int(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

int round_pixel(double value) {
    return truncate_to_int(value + 0.5);
}

int wrap_x(const map_view& view, int v, int d) {
    const int sum = v + d;
    if (sum > view.world_w) return sum - view.world_w;
    if (sum < 0) return sum + view.world_w;
    return sum;
}

double wrap_x(const map_view& view, double v, double d) {
    const double sum = v + d;
    if (sum > view.world_w) return sum - view.world_w;
    if (sum < 0) return sum + view.world_w;
    return sum;
}

void project_flat(const map_view& view, double& wx, double& wy) {
    const flat_transform t = flat_transform_of(view);
    wx = t.screen_x(wx);
    wy = t.screen_y(wy);
}

world_position map_to_world(const map_view& view, int x, int y) {
    return {x * view.world_w / map_units, y * view.world_h / map_units};
}

pixel_point map_to_screen(const map_view& view, int x, int y) {
    auto [wx, wy] = map_to_world(view, x, y);
    project_flat(view, wx, wy);
    return {round_pixel(wx), round_pixel(wy)};
}

void unproject_flat(const map_view& view, int& sx, int& sy) {
    const flat_transform t = flat_transform_of(view);
    double wx = t.world_x(sx);
    if (wx > view.world_w)
        wx -= view.world_w;
    else if (wx < 0)
        wx += view.world_w;
    sx = round_pixel(wx);
    sy = round_pixel(t.world_y(sy));
}

bool project_globe(const map_view& view, double& wx, double& wy) {
    const double w = view.world_w;
    const double h = view.world_h;
    if (!(w / 4 < wx && wx < 3 * w / 4)) return false;
    const double lon = (wx - w / 2) / w * full_turn;
    const double phi = (wy - h / 2) / (h / 2) * quarter_turn;
    const double r = view.globe_radius;
    wx = r * std::cos(phi) * std::sin(lon) + view.client_w / 2.0;
    wy = r * std::sin(phi) + view.client_h / 2.0;
    return true;
}

bool unproject_globe(const map_view& view, int& sx, int& sy) {
    const double w = view.world_w;
    const double h = view.world_h;
    const double r = view.globe_radius;
    const double dx = sx - view.client_w / 2.0;
    const double dy = view.client_h / 2.0 - sy;
    double x = 0;
    double y = 0;
    bool on_disc = dx * dx + dy * dy <= r * r;

    if (r <= 0) {
        // A window too small for a disc: every point stands for the globe's centre.
    } else if (on_disc) {
        const double lat = clamped_asin(dy / r);
        const double lon = clamped_asin(dx / std::cos(lat) / r);
        x = lon / full_turn * w;
        y = lat / quarter_turn * (h / 2);
    } else if (dy == 0) {
        // On the horizontal line the extrapolation below divides 0 by sin 0 (right half) or
        // lands on the centre (left half); such a point gives the limb point on its side.
        x = (dx > 0 ? std::asin(1.0) : std::asin(-1.0)) / full_turn * w;
    } else {
        const double t = dx == 0 ? std::copysign(std::asin(1.0), dy) : std::atan(dy / dx);
        const double abs_t = std::fabs(t);
        double theta = t;
        double b = t;
        if (dx < 0 && dy >= 0) {
            theta = half_turn - abs_t;
            b = abs_t;
        } else if (dx < 0) {
            theta = half_turn + abs_t;
            b = -abs_t;
        } else if (dy < 0) {
            theta = exact_full_turn - abs_t;
            b = -abs_t;
        }
        const double e = std::fabs(dy / std::sin(theta)) - r;
        const double q = clamped_asin(e * std::sin(theta) / r);
        const double p = clamped_asin(e * std::cos(theta) / std::cos(q) / r);
        const double limb = r * std::cos(theta) < 0 ? std::asin(-1.0) : std::asin(1.0);
        x = limb / full_turn * w + p / full_turn * w;
        y = b / quarter_turn * (h / 2) + half_turn * (q / quarter_turn * (h / 2));
    }
    sx = round_pixel(w / 2 + x);
    sy = round_pixel(h / 2 - y);
    return on_disc;
}

} // namespace hoplot
