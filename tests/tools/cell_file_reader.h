#pragma once

#include "mapgen/cell_grid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hoplot::mapgen::testing {

// A map data file read back independently of the generator, to check what it wrote.
struct read_cell_file {
    std::uint32_t cells_per_side = 0;
    std::uint32_t cell_size = 0;
    std::vector<std::vector<cell_polyline>> cells; // index ix × N + iy
};

// Nothing when the bytes end early or run on past the last cell.
inline std::optional<read_cell_file> read_cells(const std::string& bytes) {
    std::size_t pos = 0;
    const auto u32 = [&](std::uint32_t& v) {
        if (bytes.size() - pos < 4) return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v = v << 8 | static_cast<unsigned char>(bytes[pos++]);
        return true;
    };
    read_cell_file file;
    if (!u32(file.cells_per_side) || !u32(file.cell_size) || file.cells_per_side > 4096)
        return std::nullopt;
    file.cells.resize(static_cast<std::size_t>(file.cells_per_side) * file.cells_per_side);
    for (std::vector<cell_polyline>& cell : file.cells) {
        std::uint32_t count = 0;
        if (!u32(count) || count > bytes.size()) return std::nullopt;
        std::vector<std::uint32_t> sizes(count);
        for (std::uint32_t& k : sizes)
            if (!u32(k)) return std::nullopt;
        for (std::uint32_t k : sizes) {
            if ((bytes.size() - pos) / 2 < k) return std::nullopt;
            cell_polyline line;
            for (std::uint32_t j = 0; j < k; ++j, pos += 2)
                line.push_back({static_cast<std::uint8_t>(bytes[pos]),
                                static_cast<std::uint8_t>(bytes[pos + 1])});
            cell.push_back(std::move(line));
        }
    }
    if (pos != bytes.size()) return std::nullopt;
    return file;
}

} // namespace hoplot::mapgen::testing
