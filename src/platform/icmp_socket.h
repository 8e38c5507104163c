#pragma once

#include <string>

namespace hoplot {

enum class icmp_socket_kind { none, raw, datagram };

struct icmp_socket {
    int fd = -1;
    icmp_socket_kind kind = icmp_socket_kind::none;
    std::string error; // with kind none: the reason and what the user can do
};

// Opens an ICMP socket: raw when the process may (root or cap_net_raw), else an unprivileged
// ping socket. Gives up every capability afterwards either way.
icmp_socket open_icmp_socket();

// Raw or datagram when the descriptor is an IPv4 ICMP socket; none for anything else.
icmp_socket_kind icmp_socket_kind_of(int fd);

// What a trace says when there is no socket: "Can't open ICMP socket: " and the reason.
std::string icmp_socket_failure(const icmp_socket& socket);

// The process's one ICMP socket: the one handed over across exec (see icmp_handover.h), else one
// opened by the first call. Gives up every capability either way. main() calls it before
// starting any thread, so that dropping the capabilities covers the whole process.
const icmp_socket& process_icmp_socket();

} // namespace hoplot
