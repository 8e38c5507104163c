#include "mapgen/cell_file.h"

#include <gtest/gtest.h>

namespace hoplot::mapgen {
namespace {

std::string big_endian(std::initializer_list<std::uint32_t> words) {
    std::string out;
    for (std::uint32_t w : words)
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<char>(w >> shift & 0xff));
    return out;
}

// The header, then cell by cell column by column: the polyline count, every polyline's point
// count, then all points of the cell.
TEST(cell_file_test, cells_are_stored_column_by_column_with_their_counts_before_their_points) {
    EXPECT_EQ(encode_cell_file(cell_grid(4, 256)), big_endian({4, 256}) + std::string(64, '\0'));

    cell_grid grid(4, 256); // cell ix 2, iy 1 is the tenth record
    grid.add_polyline(std::vector<grid_point>{{2 * 256 + 1, 256 + 2}, {2 * 256 + 3, 256 + 4}});
    grid.add_polyline(std::vector<grid_point>{
        {2 * 256 + 10, 256 + 20}, {2 * 256 + 30, 256 + 40}, {2 * 256 + 50, 256 + 60}});
    EXPECT_EQ(encode_cell_file(grid), big_endian({4, 256, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 3}) +
                                          "\x01\x02\x03\x04\x0a\x14\x1e\x28\x32\x3c" +
                                          std::string(24, '\0'));
}

} // namespace
} // namespace hoplot::mapgen
