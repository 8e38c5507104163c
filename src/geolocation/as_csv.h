#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ip_address.h"

namespace hoplot {

// An address of either family as one number: IPv4 in 32 bits, IPv6 in 128.
__extension__ typedef unsigned __int128 address_number;

// Who runs an address: its autonomous system and the name of the organisation behind it.
struct as_network {
    std::uint32_t number = 0;
    std::string name;

    bool operator==(const as_network&) const = default;
};

// "AS15169 Google LLC"
std::string network_text(const as_network& network);

// Addresses first to last, both included, of one autonomous system.
struct as_range {
    address_number first = 0;
    address_number last = 0;
    as_network network;
};

struct as_csv_result {
    std::vector<as_range> ranges;
    std::size_t bad_line = 0; // the first line that could not be read (from 1); 0 when none
};

// The ranges of one file of the @ip-location-db/asn package, "asn-ipv4-num.csv" or
// "asn-ipv6-num.csv": lines "first,last,asn,organisation", the numbers in decimal, the
// organisation in double quotes (inner quotes doubled) when it holds a comma or a quote.
// Reading stops at the first line that is not of that form or holds an address beyond the
// family's range.
as_csv_result read_as_csv(std::string_view text, ip_family family);

// The address as one number, the first byte the most significant.
address_number to_number(const ip_address& address);

} // namespace hoplot
