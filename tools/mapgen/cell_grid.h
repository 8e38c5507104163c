#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace hoplot::mapgen {

// A position in grid steps: x eastward from 180° W, y northward from 90° S, both 0 .. N × M.
struct grid_point {
    double x;
    double y;
};

// A point of a cell, in steps from the cell's south-west corner.
struct cell_point {
    std::uint8_t bx;
    std::uint8_t by;
    friend bool operator==(const cell_point&, const cell_point&) = default;
};

using cell_polyline = std::vector<cell_point>;

// The world cut into N × N cells of M × M steps, each holding the polyline pieces that lie in it.
// A line that crosses a border ends on it in one cell and starts on it in the next: the border
// point is kept in both, at the last step (M − 1) on the low side and at 0 on the high side.
class cell_grid {
  public:
    // cell_size is at most 256 so that every step fits the byte of a stored point.
    cell_grid(int cells_per_side, int cell_size);

    int cells_per_side() const { return n_; }
    int cell_size() const { return m_; }

    // Splits the line at every cell border it crosses and snaps each piece to its cell's steps.
    // Points outside the world are pulled onto its edge; pieces that snap to a single point vanish.
    void add_polyline(std::span<const grid_point> line);

    // Chains the pieces of every cell where one ends at the point where another begins.
    void join_touching_pieces();

    const std::vector<cell_polyline>& cell(int ix, int iy) const { return cells_[index(ix, iy)]; }

  private:
    std::size_t index(int ix, int iy) const { return static_cast<std::size_t>(ix) * n_ + iy; }
    void store_piece(int ix, int iy, std::span<const grid_point> piece);

    int n_;
    int m_;
    std::vector<std::vector<cell_polyline>> cells_;
};

} // namespace hoplot::mapgen
