#include "cli/cli_setup.h"

#include <cstdio>

#include "base/data_dir.h"
#include "geolocation/as_source.h"
#include "geolocation/resolve_location.h"

namespace hoplot {

settings load_cli_settings() {
    return read_settings(std::nullopt, find_data_dir());
}

void load_cli_sources(const settings& values) {
    no_progress progress;
    load_location_sources(values, progress);
    // A table that is there but unreadable has been reported as it was opened.
    if (default_as_database(values.db_path).empty())
        std::fprintf(stderr, "hoplot: %s\n", as_source_notice().c_str());
}

} // namespace hoplot
