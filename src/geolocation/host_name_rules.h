#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "geolocation/host_name_tables.h"
#include "geolocation/location.h"

namespace hoplot {

// Names of 240 characters or more are not examined.
inline constexpr std::size_t max_rule_text = 239;

// A position guessed from the hop's host name. A place-name match marks the name by replacing
// its first character with '*'.
std::optional<entry_t> org(std::string& host_name, const std::string& address);

// Applies the top-level-domain rows (and the place rows they call for) to rec. True when rec
// then holds a position: a coordinate of exactly 0.0 counts as none.
bool org_lookup(std::string& host_name, loc_rec& rec);

// Applies the place rows of a variant to the search text made from host_name; every matching
// row overrides the position in rec and marks the name.
void org_places(std::string& host_name, loc_rec& rec, place_variant variant);

} // namespace hoplot
