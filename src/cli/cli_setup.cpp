#include "cli/cli_setup.h"

#include <cstdio>

#include "base/data_dir.h"
#include "base/settings.h"
#include "geolocation/as_source.h"
#include "geolocation/resolve_location.h"

namespace hoplot {

void load_cli_settings() {
    app_settings() = read_settings(std::nullopt, find_data_dir());
}

void load_cli_sources() {
    no_progress progress;
    load_location_sources(progress);
    // A table that is there but unreadable has been reported as it was opened.
    if (default_as_database(app_settings().db_path).empty())
        std::fprintf(stderr, "hoplot: %s\n", as_source_notice().c_str());
}

} // namespace hoplot
