#include "geolocation/resolve_location.h"

namespace hoplot {

const char* source_name(location_source source) {
    switch (source) {
    case location_source::loc: return "loc";
    case location_source::cache: return "cache";
    case location_source::geoip: return "geoip";
    case location_source::rules: return "rules";
    case location_source::none: break;
    }
    return "none";
}

resolution resolve_location(std::string&, const std::string&) { return {}; }

} // namespace hoplot
