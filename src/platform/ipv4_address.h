#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace hoplot {

// An IPv4 address kept in network byte order, so it goes into and out of sockets unchanged.
struct ipv4_address {
    std::uint32_t network_order = 0;
    bool operator==(const ipv4_address&) const = default;
};

std::optional<ipv4_address> parse_ipv4(const std::string& dotted);
std::string to_text(ipv4_address address);

} // namespace hoplot
