#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "map/map_level.h"

namespace hoplot::test {

// Polylines of one cell, as (bx, by) steps of 1/256 of the cell side.
struct cell_lines {
    std::uint32_t ix, iy;
    std::vector<std::vector<std::pair<int, int>>> lines;
};

// A level of the given grid (cell size 256) holding just the given polylines.
inline map_level level_with(std::uint32_t grid, const std::vector<cell_lines>& cells) {
    map_level::builder builder(grid, 256);
    for (std::uint32_t ix = 0; ix < grid; ++ix) {
        for (std::uint32_t iy = 0; iy < grid; ++iy) {
            builder.begin_cell();
            for (const cell_lines& cell : cells) {
                if (cell.ix != ix || cell.iy != iy) continue;
                for (const auto& line : cell.lines) {
                    std::vector<std::uint8_t> stored;
                    for (const auto& [bx, by] : line) {
                        stored.push_back(static_cast<std::uint8_t>(bx));
                        stored.push_back(static_cast<std::uint8_t>(by));
                    }
                    builder.add_polyline(stored);
                }
            }
        }
    }
    return builder.finish();
}

} // namespace hoplot::test
