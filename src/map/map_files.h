#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/loading_progress.h"
#include "map/map_level.h"

namespace hoplot {

enum class map_file_status {
    loaded,
    failed,     // missing, unreadable, short or corrupt: the level is unusable
    wrong_grid, // the grid differs from the level's: the program must end
};

// One map file's bytes: big-endian grid N and cell size M, then N × N cells. The bar of the
// loading dialog runs from 0 to 100 over the file. The level is replaced only on success.
map_file_status parse_map_file(std::span<const std::uint8_t> bytes, std::uint32_t expected_grid,
                               map_level& level, loading_progress& progress);

// Reads the file at the data directory followed by relative_path ("maps/map.cil.4.256").
map_file_status load_map_file(const std::string& db_path, const std::string& relative_path,
                              std::uint32_t expected_grid, map_level& level,
                              loading_progress& progress);

// What loading some detail levels gave: the highest level whose three files all loaded before
// the first failure (one below the first level asked for when none did), or the relative path
// of a file with a wrong grid, after which the caller must end the program.
struct map_levels_read {
    int highest = -1;
    std::optional<std::string> wrong_grid;
};

// Loads the levels first to last from the data directory into data, level by level, naming each
// file's stage; the first level that does not load ends the loading.
map_levels_read load_map_levels(const std::string& db_path, int first, int last, map_data& data,
                                loading_progress& progress);


} // namespace hoplot
