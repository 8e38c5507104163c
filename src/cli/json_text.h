#pragma once

#include <string>

namespace hoplot {

// A JSON string literal, quotes included, for any bytes (host names come from the network).
std::string json_string(const std::string& text);

} // namespace hoplot
