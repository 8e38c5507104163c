#pragma once

#include <optional>
#include <string>

#include "geolocation/location.h"

namespace hoplot {

// A position guessed from the hop's host name. A place-name match marks the name by replacing
// its first character with '*'.
std::optional<entry_t> org(std::string& host_name, const std::string& address);

} // namespace hoplot
