#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "geolocation/location.h"

namespace hoplot {

// Which place rows follow a domain: the United States rows, or those and a few world cities.
enum class place_variant { us, network };

struct domain_rule {
    std::string_view domain; // lower case, dot included: ".de"
    std::optional<coordinates> position;
    std::optional<place_variant> places;
};

struct place_rule {
    std::vector<std::string_view> keys; // upper case; any one found in the search text matches
    coordinates position;
};

// The top-level-domain rows in the order they are applied.
std::span<const domain_rule> domain_rules();

// The place rows of a variant in the order they are applied.
std::span<const place_rule> place_rules(place_variant variant);

} // namespace hoplot
