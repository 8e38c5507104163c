#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "geolocation/location.h"

namespace hoplot {

// Asks the DNS for the LOC record of host_name (class IN, type 29) and decodes the answer into
// rec; rec.found tells the outcome. False when the resolver could not be set up or the query
// failed. Names that begin with a digit (dotted addresses among them) are not queried.
bool loc_lookup(const std::string& host_name, loc_rec& rec);

// Fills rec from the first LOC record of a DNS answer message. Every read stays inside message
// and inside each record's data length; a malformed or truncated message gives found 0.
void loc_decode(std::span<const std::uint8_t> message, loc_rec& rec);

// The dotted name at offset, following compression pointers. None when the name runs out of the
// message, grows beyond 1024 characters or follows too many pointers (a pointer loop).
std::optional<std::string> expand_name(std::span<const std::uint8_t> message, std::size_t offset);

} // namespace hoplot
