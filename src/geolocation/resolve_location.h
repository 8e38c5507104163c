#pragma once

#include <optional>
#include <string>

#include "geolocation/location.h"

namespace hoplot {

enum class location_source { none, loc, cache, geoip, rules };

const char* source_name(location_source source); // "none", "loc", "cache", "geoip", "rules"

struct resolution {
    std::optional<std::string> location; // the location text; absent when no source placed it
    map_point position;                  // valid only with a location
    int kind = 0;                        // 1 for a DNS LOC position, else 0
    location_source source = location_source::none;
};

// Asks the sources in order (DNS LOC when "RFC 1876" is exactly 1, the position cache, the GeoIP
// database, the host-name rules) for one hop. host_name may be filled in by the LOC source's
// reverse look-up or marked with '*' by the host-name rules.
resolution resolve_location(std::string& host_name, const std::string& address);

} // namespace hoplot
