#pragma once

#include <functional>
#include <optional>
#include <string>

#include "base/loading_progress.h"

namespace hoplot {

struct map_view;

// Loads what the map shows at start-up from the data directory, in the order the loading dialog
// announces it: the nine map files, then the position caches (load_caches, which sets its own
// stage texts), then the cities. Returns the relative path of a map file with a wrong grid,
// after which nothing else is loaded and the caller must end the program.
std::optional<std::string>
load_startup_data(map_view& view, const std::string& db_path, loading_progress& progress,
                  const std::function<void(loading_progress&)>& load_caches);

} // namespace hoplot
