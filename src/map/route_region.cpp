#include "map/route_region.h"

#include <algorithm>

#include "map/projection.h"

namespace hoplot {
namespace {

// Room around the outer points for their dots and the start of their labels, in world pixels.
constexpr double margin = 10.0;

struct span {
    double low;
    double high;
};

// The span grown about its centre to at least length, then moved into 0..limit (or the whole of
// it when it is longer).
span fitted(span s, double length, double limit) {
    const double grow = std::max(0.0, length - (s.high - s.low)) / 2;
    s = {s.low - grow, s.high + grow};
    if (s.high - s.low >= limit) return {0, limit};
    if (s.low < 0) return {0, s.high - s.low};
    if (s.high > limit) return {limit - (s.high - s.low), limit};
    return s;
}

} // namespace

std::optional<std::pair<pixel_point, pixel_point>> route_region(const map_view& view,
                                                                const route_rec& route) {
    std::optional<span> across, down;
    for (const hop_group& place : route.places) {
        for (const point_rec& point : place.points) {
            const world_position at = map_to_world(view, point.position.x, point.position.y);
            across = across ? span{std::min(across->low, at.x), std::max(across->high, at.x)}
                            : span{at.x, at.x};
            down = down ? span{std::min(down->low, at.y), std::max(down->high, at.y)}
                        : span{at.y, at.y};
        }
    }
    if (!across || !down) return std::nullopt;
    const double ratio = static_cast<double>(view.world_w) / view.world_h;
    const double width = std::max(across->high - across->low + 2 * margin,
                                  (down->high - down->low + 2 * margin) * ratio);
    const span x = fitted(*across, width, view.world_w);
    const span y =
        fitted(*down, std::min(width, static_cast<double>(view.world_w)) / ratio, view.world_h);
    return std::pair{pixel_point{round_pixel(x.low), round_pixel(y.low)},
                     pixel_point{round_pixel(x.high), round_pixel(y.high)}};
}

} // namespace hoplot
