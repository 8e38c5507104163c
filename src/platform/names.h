#pragma once

#include <optional>
#include <stop_token>
#include <string>

#include "platform/ip_address.h"

namespace hoplot {

// Name look-ups through the system resolver (thread-safe, blocking). A look-up given a stop
// gives up as soon as it is requested: the resolver cannot be interrupted, so its answer is then
// left to come in unwaited for.

struct forward_result {
    std::optional<std::string> address; // dotted IPv4 or RFC 5952 IPv6 address
    std::string error;                  // why it failed, when it did
};

// A host name or address to its first address of the family asked for; with automatic, the
// first that getaddrinfo gives (the system's preference).
forward_result resolve_host(const std::string& name,
                            address_family family = address_family::automatic,
                            const std::stop_token& stop = {});

// The PTR name of an address (in-addr.arpa or ip6.arpa); none when the address has no name or
// does not parse, or once stop was requested.
std::optional<std::string> reverse_lookup(const std::string& address,
                                          const std::stop_token& stop = {});

} // namespace hoplot
