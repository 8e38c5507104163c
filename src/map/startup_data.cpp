#include "map/startup_data.h"

#include "map/cities.h"
#include "map/map_files.h"
#include "map/map_view.h"

namespace hoplot {

std::optional<std::string>
load_startup_data(map_view& view, const std::string& db_path, loading_progress& progress,
                  const std::function<void(loading_progress&)>& load_caches) {
    if (auto wrong = load_map_data(view, db_path, progress)) return wrong;
    progress.set_range(100);
    if (load_caches) load_caches(progress);
    progress.set_stage("Loading cities information");
    progress.set_range(18);
    load_cities(view, db_path, progress);
    return std::nullopt;
}

} // namespace hoplot
