#pragma once

#include <string>

#include "platform/ip_address.h"

namespace hoplot {

enum class icmp_socket_kind { none, raw, datagram };

struct icmp_socket {
    int fd = -1;
    icmp_socket_kind kind = icmp_socket_kind::none;
    std::string error; // with kind none: the reason and what the user can do
    ip_family family = ip_family::v4;
};

// The ICMP socket and the ICMPv6 socket of the process.
struct icmp_sockets {
    icmp_socket v4;
    icmp_socket v6;
    const icmp_socket& of(ip_family family) const { return family == ip_family::v4 ? v4 : v6; }
};

// Opens an ICMP and an ICMPv6 socket: each raw when the process may (root or cap_net_raw), else
// an unprivileged ping socket. Gives up every capability afterwards either way.
icmp_sockets open_icmp_sockets();

// The process's ICMP sockets, opened by the first call. main() calls it before starting any
// thread, so that dropping the capabilities covers the whole process.
const icmp_sockets& process_icmp_sockets();

} // namespace hoplot
