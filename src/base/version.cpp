#include "base/version.h"

namespace hoplot {

std::string program_version() {
    return HOPLOT_VERSION;
}

std::string program_title_with_version() {
    return std::string("Hoplot ") + HOPLOT_VERSION;
}

} // namespace hoplot
