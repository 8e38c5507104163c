#pragma once

#include <string>

#include "geolocation/resolve_location.h"
#include "trace/hop_rec.h"

namespace hoplot {

// A JSON string literal, quotes included, for any bytes (host names come from the network).
std::string json_string(const std::string& text);

// One hop as a JSON object: its texts, colour, kind and source, and its map position when a
// source placed it.
std::string hop_json(const hop_rec& hop, const resolution& where);

} // namespace hoplot
