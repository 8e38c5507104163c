#pragma once

#include <optional>

#include "platform/icmp_socket.h"

namespace hoplot {

// The environment values in which hoplot names the ICMP and ICMPv6 sockets it opened for
// hoplot-view, which holds no capability and could not open a raw socket itself.
inline constexpr char icmp_socket_variable[] = "HOPLOT_ICMP_SOCKET";
inline constexpr char icmp6_socket_variable[] = "HOPLOT_ICMP6_SOCKET";

// Keeps the socket open across exec and names it in its family's variable; with no socket,
// removes the name. False when the descriptor cannot be kept open.
bool pass_icmp_socket_on(const icmp_socket& socket);

// The family's socket named in the environment, which then loses the name and is closed on exec
// again, so that programs started later do not inherit it. None when no socket is named. A named
// descriptor that is not an ICMP socket of the family is refused (kind none, with the reason) and
// left alone.
std::optional<icmp_socket> take_passed_icmp_socket(ip_family family = ip_family::v4);

} // namespace hoplot
