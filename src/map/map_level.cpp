#include "map/map_level.h"

#include <cstring>

namespace hoplot {

map_cell map_level::cell(std::size_t i) const {
    const std::uint32_t first = polyline_starts_[i];
    const std::uint32_t count = polyline_starts_[i + 1] - first;
    return {std::span<const std::uint32_t>(point_starts_.data() + first, count + 1),
            points_.data()};
}

map_level::builder::builder(std::uint32_t grid, std::uint32_t cell_size) {
    level_.grid_ = grid;
    level_.cell_size_ = cell_size;
}

void map_level::builder::begin_cell() {
    level_.polyline_starts_.push_back(static_cast<std::uint32_t>(level_.point_starts_.size()));
}

void map_level::builder::add_polyline(std::span<const std::uint8_t> stored) {
    auto& points = level_.points_;
    level_.point_starts_.push_back(static_cast<std::uint32_t>(points.size()));
    const std::size_t count = stored.size() / sizeof(cell_point);
    if (count == 0) return;
    const std::size_t at = points.size();
    points.resize(at + count);
    std::memcpy(points.data() + at, stored.data(), count * sizeof(cell_point));
}

map_level map_level::builder::finish() {
    level_.polyline_starts_.push_back(static_cast<std::uint32_t>(level_.point_starts_.size()));
    level_.point_starts_.push_back(static_cast<std::uint32_t>(level_.points_.size()));
    return std::move(level_);
}

namespace {

world_position at_steps(const map_level& level, std::uint32_t ix, std::uint32_t iy, double bx,
                        double by, int world_w, int world_h) {
    const double side = static_cast<double>(level.grid()) * level.cell_size();
    const double x = static_cast<double>(ix) * level.cell_size() + bx;
    const double y_north = static_cast<double>(iy) * level.cell_size() + by;
    return {x * world_w / side, (side - y_north) * world_h / side};
}

} // namespace

world_position world_point(const map_level& level, std::uint32_t ix, std::uint32_t iy,
                           cell_point point, int world_w, int world_h) {
    return at_steps(level, ix, iy, point.bx, point.by, world_w, world_h);
}

world_position world_end_point(const map_level& level, std::uint32_t ix, std::uint32_t iy,
                               cell_point point, int world_w, int world_h) {
    const double last = static_cast<double>(level.cell_size()) - 1;
    const double bx = point.bx == last ? last + 1 : point.bx;
    const double by = point.by == last ? last + 1 : point.by;
    return at_steps(level, ix, iy, bx, by, world_w, world_h);
}

bool level_loaded(const map_data& data, int level) {
    const auto i = static_cast<std::size_t>(level);
    return !data.coastlines[i].empty() && !data.rivers[i].empty() && !data.boundaries[i].empty();
}

} // namespace hoplot
