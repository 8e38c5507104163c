#include "cli/cli_setup.h"

#include "base/data_dir.h"
#include "base/settings.h"

namespace hoplot {

void load_cli_settings() {
    app_settings() = read_settings(std::nullopt, find_data_dir());
}

} // namespace hoplot
