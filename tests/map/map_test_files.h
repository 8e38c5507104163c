#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/loading_progress.h"
#include "geolocation/scratch_dir.h"
#include "map/map_files.h"
#include "support/recording_progress.h"

namespace hoplot::test {

// A data directory of the test's own.
class scratch_data_dir : public scratch_dir {
  public:
    std::string map_path(const std::string& name) const { return path() + "maps/" + name; }
    void write_map(const std::string& name, const std::string& content) const {
        write("maps/" + name, content);
    }
};

// One polyline as stored: bx, by, bx, by, ...
using stored_polyline = std::vector<std::uint8_t>;
// Polylines by cell index ix × N + iy; cells not named hold none.
using stored_cells = std::map<std::size_t, std::vector<stored_polyline>>;

// A map file in the on-disk layout.
inline std::string map_file_bytes(std::uint32_t grid, std::uint32_t cell_size,
                                  const stored_cells& cells = {}) {
    std::string out;
    const auto u32 = [&](std::size_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out += static_cast<char>(value >> shift & 0xFF);
    };
    u32(grid);
    u32(cell_size);
    for (std::size_t i = 0; i < std::size_t{grid} * grid; ++i) {
        const auto found = cells.find(i);
        u32(found == cells.end() ? 0 : found->second.size());
        if (found == cells.end()) continue;
        for (const auto& line : found->second)
            u32(line.size() / 2);
        for (const auto& line : found->second)
            out.append(line.begin(), line.end());
    }
    return out;
}

inline map_file_status parse(const std::string& bytes, std::uint32_t grid, map_level& level,
                             loading_progress& progress) {
    return parse_map_file({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, grid,
                          level, progress);
}
inline map_file_status parse(const std::string& bytes, std::uint32_t grid, map_level& level) {
    no_progress quiet;
    return parse(bytes, grid, level, quiet);
}

// A level of the given grid (cell size 256) holding just the given polylines.
inline map_level level_with(std::uint32_t grid, const stored_cells& cells) {
    map_level level;
    parse(map_file_bytes(grid, 256, cells), grid, level);
    return level;
}

// The nine map files, every cell empty.
inline void write_all_map_files(const scratch_data_dir& dir) {
    for (const std::string grid : {"4", "32", "256"})
        for (const std::string layer : {"cil", "riv", "bdy"})
            dir.write_map("map." + layer + "." + grid + ".256",
                          map_file_bytes(static_cast<std::uint32_t>(std::stoul(grid)), 256));
}

} // namespace hoplot::test
