#include "cli/display_check.h"

namespace hoplot {

std::optional<std::string> missing_display_notice(const environment_lookup& environment) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = environment(name);
        if (value != nullptr && *value != '\0') return std::nullopt;
    }
    return "hoplot: no display for the window (DISPLAY and WAYLAND_DISPLAY are not set); "
           "without one, use hoplot --report, --locate, --show or --render\n";
}

} // namespace hoplot
