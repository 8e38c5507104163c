#include "map/startup_data.h"

#include <memory>

#include "base/settings.h"
#include "map/map_files.h"
#include "map/map_view.h"

namespace hoplot {
namespace {

constexpr int city_steps = 18;

// The max level that the levels read so far give: 3 when the last one asked for loaded.
int max_level_after(const map_levels_read& read, int last) {
    return read.highest == last ? 3 : read.highest;
}

} // namespace

std::optional<std::string> load_first_level(map_view& view, const std::string& db_path,
                                            loading_progress& progress) {
    auto maps = std::make_shared<map_data>();
    const map_levels_read read = load_map_levels(db_path, 0, 0, *maps, progress);
    if (read.wrong_grid) return read.wrong_grid;
    view.maps = std::move(maps);
    view.max_level = read.highest == 0 ? 3 : -1;
    progress.set_stage("Loading cities information");
    progress.set_range(city_steps);
    auto cities = std::make_shared<city_lists>();
    if (view.max_level >= 0 && read_city_files(db_path, 0, 0, *cities, progress) < 0)
        view.max_level = -1;
    view.cities = std::move(cities);
    return std::nullopt;
}

detail_levels load_detail_levels(const std::string& db_path, int max_level) {
    detail_levels levels;
    levels.max_level = max_level;
    if (max_level < 1) return levels;
    no_progress quiet;
    const map_levels_read read = load_map_levels(db_path, 1, level_count - 1, levels.maps, quiet);
    levels.wrong_grid = read.wrong_grid;
    if (read.wrong_grid) return levels;
    levels.max_level = max_level_after(read, level_count - 1);
    const int highest = levels.max_level == 3 ? level_count - 1 : levels.max_level;
    if (highest < 1) return levels;
    const int cities_read = read_city_files(db_path, 1, highest, levels.cities, quiet);
    if (cities_read < highest) levels.max_level = cities_read;
    return levels;
}

void add_detail_levels(map_view& view, detail_levels levels) {
    auto maps = std::make_shared<map_data>(*view.maps);
    auto cities = std::make_shared<city_lists>(*view.cities);
    for (std::size_t level = 1; level < level_count; ++level) {
        maps->coastlines[level] = std::move(levels.maps.coastlines[level]);
        maps->rivers[level] = std::move(levels.maps.rivers[level]);
        maps->boundaries[level] = std::move(levels.maps.boundaries[level]);
        (*cities)[level] = std::move(levels.cities[level]);
    }
    view.maps = std::move(maps);
    view.cities = std::move(cities);
    view.max_level = levels.max_level;
}

std::optional<std::string> load_all_levels(map_view& view, const std::string& db_path,
                                           loading_progress& progress) {
    if (auto wrong = load_first_level(view, db_path, progress)) return wrong;
    detail_levels levels = load_detail_levels(db_path, view.max_level);
    if (levels.wrong_grid) return levels.wrong_grid;
    add_detail_levels(view, std::move(levels));
    return std::nullopt;
}

} // namespace hoplot
