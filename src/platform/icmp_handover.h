#pragma once

#include <optional>

#include "platform/icmp_socket.h"

namespace hoplot {

// The environment value in which hoplot names the ICMP socket it opened for hoplot-view, which
// holds no capability and could not open a raw socket itself.
inline constexpr char icmp_socket_variable[] = "HOPLOT_ICMP_SOCKET";

// Keeps the socket open across exec and names it in the environment; with no socket, removes the
// name. False when the descriptor cannot be kept open.
bool pass_icmp_socket_on(const icmp_socket& socket);

// The socket named in the environment, which then loses the name and is closed on exec again, so
// that programs started later do not inherit it. None when no socket is named. A named descriptor
// that is not an IPv4 ICMP socket is refused (kind none, with the reason) and left alone.
std::optional<icmp_socket> take_passed_icmp_socket();

} // namespace hoplot
