#pragma once

#include <optional>
#include <string>

namespace hoplot {

// Name look-ups through the system resolver (thread-safe, blocking).

struct forward_result {
    std::optional<std::string> address; // dotted IPv4 address
    std::string error;                  // why it failed, when it did
};

// A host name or dotted address to its first IPv4 address.
forward_result resolve_host(const std::string& name);

// The PTR name of a dotted IPv4 address; none when the address has no name or does not parse.
std::optional<std::string> reverse_lookup(const std::string& dotted);

} // namespace hoplot
