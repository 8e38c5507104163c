#pragma once

#include <optional>
#include <string>

#include "base/loading_progress.h"
#include "map/cities.h"
#include "map/map_level.h"

namespace hoplot {

struct map_view;

// What the first picture needs, read before it: the Low level of the map files and the first
// cities file, from the data directory. The max level stays 3 while the higher levels are still
// to come (detail_levels); a failure lowers it as loading every level would. Returns the relative
// path of a map file with a wrong grid, after which nothing else is loaded and the caller must
// end the program.
std::optional<std::string> load_first_level(map_view& view, const std::string& db_path,
                                            loading_progress& progress);

// The Medium and High levels and their cities files, read off the GUI thread once the first
// picture shows, then added to the view.
struct detail_levels {
    map_data maps;     // levels 1 and 2; level 0 stays empty
    city_lists cities; // lists 1 and 2
    int max_level = 3; // the view's max level once these levels have been tried
    std::optional<std::string> wrong_grid;
};

// Reads from the data directory the levels above Low that the max level left by
// load_first_level still allows. Touches nothing shared: any thread may call it.
detail_levels load_detail_levels(const std::string& db_path, int max_level);

// The view's data is shared with the copies made before; it gets new data holding both.
void add_detail_levels(map_view& view, detail_levels levels);

// Every level at once, as the first level and then the others: for drawing without a window.
std::optional<std::string> load_all_levels(map_view& view, const std::string& db_path,
                                           loading_progress& progress);

} // namespace hoplot
