#pragma once

#include <string>

#include "geolocation/resolve_location.h"

namespace hoplot {

// The members of a hop's JSON object that say where it is and who runs it, without the braces:
// name, address, location text, kind, source, map x and y when placed, and "asn" and "as_name"
// when the AS table knows the address.
std::string hop_json_members(const std::string& name, const std::string& address,
                             const std::string& location, const resolution& where);

} // namespace hoplot
