#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/loading_progress.h"
#include "map/map_level.h"

namespace hoplot {

// One city of a cities file, labelled with its name as written ("Abu_Dhabi").
struct CityRecord {
    std::string name;
    double latitude = 0.0;  // degrees, north positive
    double longitude = 0.0; // degrees, east positive
    int x = 0;              // map units
    int y = 0;
};

// Longer names are cut to this many bytes.
inline constexpr std::size_t city_name_limit = 83;

// The cities of each detail level, in file order.
using city_lists = std::array<std::vector<CityRecord>, level_count>;

// A cities file: per line a name, then latitude and longitude in degree-minute notation;
// the rest of each line is ignored.
std::vector<CityRecord> parse_cities(std::string_view text);

// Reads maps/cities.file.N below the data directory for the levels first to last into their
// lists, advancing the bar by 9 per file. The first missing file ends the reading: returns the
// level below it, else last.
int read_city_files(const std::string& db_path, int first, int last, city_lists& lists,
                    loading_progress& progress);

} // namespace hoplot
