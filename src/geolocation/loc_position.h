#pragma once

#include <optional>
#include <string>

#include "geolocation/location.h"

namespace hoplot {

// The position of a hop from the DNS LOC record of its host name. A nameless hop first gets
// its name from the reverse look-up of its address; host_name is filled in then.
std::optional<entry_t> get_loc(std::string& host_name, const std::string& address);

} // namespace hoplot
