#pragma once

#include <functional>
#include <optional>
#include <string>

namespace hoplot {

using environment_lookup = std::function<const char*(const char*)>;

// The one line to print when the window has no display to open on (no DISPLAY, no
// WAYLAND_DISPLAY, no QT_QPA_PLATFORM chosen), naming the modes that need none; none when it has.
// Qt itself would abort instead.
std::optional<std::string> missing_display_notice(const environment_lookup& environment);

} // namespace hoplot
