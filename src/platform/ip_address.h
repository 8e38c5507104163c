#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ipv4_address.h"

namespace hoplot {

enum class ip_family { v4, v6 };

// Which family a trace to a name with both kinds of address takes: the system's preference
// (getaddrinfo's order, RFC 6724 as /etc/gai.conf sets it) or the one the user chose.
enum class address_family { automatic = 0, ipv4 = 4, ipv6 = 6 };

// An address of either family, as it goes into and out of sockets: an IPv4 address in the first
// four bytes, in network order.
struct ip_address {
    ip_family family = ip_family::v4;
    std::array<std::uint8_t, 16> bytes{};

    ip_address() = default;
    ip_address(ipv4_address v4); // NOLINT: every IPv4 address is an address
    static ip_address v6(const std::array<std::uint8_t, 16>& bytes);

    ipv4_address v4() const;
    bool operator==(const ip_address&) const = default;
};

// A dotted IPv4 address or an IPv6 address in any text form.
std::optional<ip_address> parse_ip(const std::string& text);
// Dotted for IPv4, RFC 5952 for IPv6.
std::string to_text(const ip_address& address);

} // namespace hoplot
