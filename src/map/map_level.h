#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace hoplot {

// One point of a polyline as the map files store it: steps of 1/M of the cell side, eastward
// from the cell's west edge and northward from its south edge.
struct cell_point {
    std::uint8_t bx = 0;
    std::uint8_t by = 0;
};
static_assert(sizeof(cell_point) == 2);

// The polylines of one cell, viewed in the level that holds them.
class map_cell {
  public:
    map_cell(std::span<const std::uint32_t> starts, const cell_point* points)
        : starts_(starts), points_(points) {}

    std::size_t polyline_count() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    std::size_t point_count(std::size_t j) const { return starts_[j + 1] - starts_[j]; }
    std::span<const cell_point> polyline(std::size_t j) const {
        return {points_ + starts_[j], point_count(j)};
    }

  private:
    std::span<const std::uint32_t> starts_; // first point of each polyline, then the end
    const cell_point* points_;
};

// One map file in memory: an N by N grid of cells, cell i = ix * N + iy, ix counting columns
// eastward from 180° W and iy rows northward from 90° S. A level that was not loaded is empty.
class map_level {
  public:
    std::uint32_t grid() const { return grid_; }
    std::uint32_t cell_size() const { return cell_size_; }
    bool empty() const { return grid_ == 0; }
    std::size_t cell_count() const {
        return polyline_starts_.empty() ? 0 : polyline_starts_.size() - 1;
    }
    map_cell cell(std::size_t i) const;
    map_cell cell(std::uint32_t ix, std::uint32_t iy) const {
        return cell(static_cast<std::size_t>(ix) * grid_ + iy);
    }

    // Builds a level cell by cell, as a file holds it.
    class builder;

  private:
    std::uint32_t grid_ = 0;
    std::uint32_t cell_size_ = 0;
    std::vector<std::uint32_t> polyline_starts_; // first polyline of each cell, then the end
    std::vector<std::uint32_t> point_starts_;    // first point of each polyline, then the end
    std::vector<cell_point> points_;
};

class map_level::builder {
  public:
    builder(std::uint32_t grid, std::uint32_t cell_size);
    void begin_cell();
    // The points of one polyline, two bytes each as the files store them.
    void add_polyline(std::span<const std::uint8_t> stored);
    map_level finish();

  private:
    map_level level_;
};

// The world pixel position of a point of cell (ix, iy) on a world of world_w by world_h.
struct world_position {
    double x = 0.0;
    double y = 0.0;
};
world_position world_point(const map_level& level, std::uint32_t ix, std::uint32_t iy,
                           cell_point point, int world_w, int world_h);

// The same for the first or last point of a polyline. A line that leaves its cell ends on the
// cell's last step and goes on from step 0 of the next cell; drawing such an end on the border
// itself closes that one-step gap.
world_position world_end_point(const map_level& level, std::uint32_t ix, std::uint32_t iy,
                               cell_point point, int world_w, int world_h);

// Detail levels 0 Low, 1 Medium, 2 High.
inline constexpr int level_count = 3;

// The feature layers of every detail level, indexed by level.
struct map_data {
    std::array<map_level, level_count> coastlines;
    std::array<map_level, level_count> rivers;
    std::array<map_level, level_count> boundaries;
};

// All three layers of the level are in memory: not while it is still being read or after its
// reading failed.
bool level_loaded(const map_data& data, int level);

} // namespace hoplot
