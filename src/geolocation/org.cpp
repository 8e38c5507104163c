#include "geolocation/org.h"

namespace hoplot {

std::optional<entry_t> org(std::string&, const std::string&) { return std::nullopt; }

} // namespace hoplot
