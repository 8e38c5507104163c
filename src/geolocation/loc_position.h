#pragma once

#include <optional>
#include <stop_token>
#include <string>

#include "geolocation/location.h"

namespace hoplot {

// The position of a hop from the DNS LOC record of its host name. A nameless hop first gets
// its name from the reverse look-up of its address; host_name is filled in then. Gives up with
// none once stop is requested.
std::optional<entry_t> get_loc(std::string& host_name, const std::string& address,
                               const std::stop_token& stop = {});

} // namespace hoplot
