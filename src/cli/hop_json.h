#pragma once

#include <string>

#include "geolocation/resolve_location.h"
#include "trace/hop_rec.h"

namespace hoplot {

// The members of a hop's JSON object that say where it is and who runs it, without the braces:
// name, address, location text, kind, source, map x and y and "latitude" and "longitude" when
// placed, and "asn" and "as_name" when the AS table knows the address.
std::string hop_json_members(const std::string& name, const std::string& address,
                             const std::string& location, const resolution& where);

// One row of a trace as a JSON object. A status row: "status", "colour". A hop row: the members
// above for the answer it shows, "time", "rtt_ms" when it was measured, "colour", "plausible"
// (true, false, or null when nothing can be said) and, when false, "bound_km" and
// "distance_km".
std::string row_json(const hop_rec& row);

// A status or error line as row_json gives a status row.
std::string status_json(const std::string& text, int colour);

} // namespace hoplot
