#pragma once

#include "mapgen/cell_grid.h"

#include <string>

namespace hoplot::mapgen {

// The map data file of a grid: N and M, then every cell column by column (cell ix × N + iy),
// each as its polyline count, the point count of each polyline and then their points.
// Integers are unsigned 32-bit big-endian; a point is the two bytes bx, by.
std::string encode_cell_file(const cell_grid& grid);

} // namespace hoplot::mapgen
