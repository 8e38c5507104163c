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
    bool family_missing = false; // with kind none: the system has no such family at all
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

// Raw or datagram when the descriptor is an ICMP socket of the family (ICMPv6 for IPv6); none
// for anything else.
icmp_socket_kind icmp_socket_kind_of(int fd, ip_family family = ip_family::v4);

// What a trace says when there is no socket: "Can't open ICMP socket: " and the reason, or that
// the machine has no IPv6.
std::string icmp_socket_failure(const icmp_socket& socket);

// The process's ICMP sockets: for each family the one handed over across exec (see
// icmp_handover.h), else one opened by the first call. Gives up every capability either way.
// main() calls it before starting any thread, so that dropping the capabilities covers the whole
// process.
const icmp_sockets& process_icmp_sockets();

// One of them; the IPv4 one is the one the window's status bar describes.
const icmp_socket& process_icmp_socket(ip_family family = ip_family::v4);

} // namespace hoplot
