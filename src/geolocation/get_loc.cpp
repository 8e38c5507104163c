#include "geolocation/get_loc.h"

namespace hoplot {

std::optional<entry_t> get_loc(std::string&, const std::string&) { return std::nullopt; }

} // namespace hoplot
