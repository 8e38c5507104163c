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

TEST(cell_file_test, empty_low_grid_is_header_and_sixteen_zero_counts) {
    const std::string bytes = encode_cell_file(cell_grid(4, 256));
    ASSERT_EQ(bytes.size(), 72u);
    EXPECT_EQ(bytes.substr(0, 8), big_endian({4, 256}));
    EXPECT_EQ(bytes.substr(8), std::string(64, '\0'));
}

TEST(cell_file_test, cells_are_stored_column_by_column) {
    // Cell ix 2, iy 1 of a 4 × 4 grid is the tenth record: nine empty cells of 4 bytes before it.
    cell_grid grid(4, 256);
    grid.add_polyline(std::vector<grid_point>{{2 * 256 + 3, 256 + 4}, {2 * 256 + 5, 256 + 6}});
    const std::string bytes = encode_cell_file(grid);
    ASSERT_EQ(bytes.size(), 72u + 4 + 4);
    EXPECT_EQ(bytes.substr(8, 36), std::string(36, '\0'));
    EXPECT_EQ(bytes.substr(44, 12), big_endian({1, 2}) + std::string("\x03\x04\x05\x06"));
    EXPECT_EQ(bytes.substr(56), std::string(24, '\0'));
}

TEST(cell_file_test, counts_come_before_all_points_of_a_cell) {
    cell_grid grid(1, 256);
    grid.add_polyline(std::vector<grid_point>{{1, 2}, {3, 4}});
    grid.add_polyline(std::vector<grid_point>{{10, 20}, {30, 40}, {50, 60}});
    const std::string expected =
        big_endian({1, 256, 2, 2, 3}) + std::string("\x01\x02\x03\x04\x0a\x14\x1e\x28\x32\x3c");
    EXPECT_EQ(encode_cell_file(grid), expected);
}

} // namespace
} // namespace hoplot::mapgen
