#include "platform/icmp_status.h"

namespace hoplot {

icmp_status describe_icmp_socket(const icmp_socket& socket) {
    switch (socket.kind) {
    case icmp_socket_kind::raw:
        return {"Raw ICMP", "Probes go out on a raw ICMP socket"};
    case icmp_socket_kind::datagram:
        return {"Ping socket", "Probes go out on an unprivileged ICMP ping socket"};
    case icmp_socket_kind::none:
        break;
    }
    return {"No ICMP permission", icmp_socket_failure(socket)};
}

} // namespace hoplot
