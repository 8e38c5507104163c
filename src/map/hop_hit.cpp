#include "map/hop_hit.h"

#include "map/hop_drawing.h"
#include "map/map_frame.h"
#include "trace/position_check.h"

namespace hoplot {
namespace {

// A small dot is hard to hit exactly: a couple of pixels around it count too.
constexpr int reach_beyond_dot = 2;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::vector<std::size_t> hops_at(const map_view& view, const route_rec& route, pixel_point at) {
    std::vector<std::size_t> found;
    if (!map_area(view).contains(at)) return found;
    const int reach = hop_dot_radius(view) + reach_beyond_dot;
    long best = static_cast<long>(reach) * reach;
    std::optional<pixel_point> best_dot;
    std::size_t hop = 0;
    for (const hop_group& place : route.places) {
        for (const point_rec& point : place.points) {
            const std::optional<pixel_point> dot = hop_screen_position(view, point.position);
            const long dx = dot ? dot->x - at.x : 0, dy = dot ? dot->y - at.y : 0;
            const long d = dx * dx + dy * dy;
            if (dot && d <= best) {
                if (!best_dot || *dot != *best_dot) found.clear();
                best = d;
                best_dot = dot;
                found.push_back(hop);
            }
            ++hop;
        }
    }
    return found;
}

std::optional<std::size_t> row_of_hop(const std::vector<hop_rec>& rows, std::size_t hop) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].is_status()) continue;
        if (hop == 0) return i;
        --hop;
    }
    return std::nullopt;
}

std::string hop_tip_text(const std::vector<hop_rec>& rows, const std::vector<std::size_t>& hops) {
    std::string text;
    for (const std::size_t hop : hops) {
        const std::optional<std::size_t> row = row_of_hop(rows, hop);
        if (!row) continue;
        const hop_rec& r = rows[*row];
        if (!text.empty()) text += "\n\n";
        std::vector<std::string> lines{r.name, r.address};
        if (r.network) lines.push_back(network_text(*r.network));
        if (r.location) lines.push_back(*r.location);
        lines.push_back(position_tip(r));
        lines.push_back(trimmed(r.time));
        // Appended, not prepended to temporaries, which GCC 12 wrongly warns about in Release.
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) text += '\n';
            text += lines[i];
        }
    }
    return text;
}

} // namespace hoplot
