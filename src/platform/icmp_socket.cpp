#include "platform/icmp_socket.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/capabilities.h"
#include "platform/icmp_handover.h"

namespace hoplot {
namespace {

// From <linux/icmp.h>, which clashes with <netinet/ip_icmp.h>.
constexpr int icmp_filter_option = 1;
constexpr int type_of_service = 8;

bool prepare_raw(int fd) {
    // Only echo replies, time exceeded and destination unreachable reach the socket.
    const std::uint32_t dropped = ~((1U << 0) | (1U << 3) | (1U << 11));
    return setsockopt(fd, SOL_RAW, icmp_filter_option, &dropped, sizeof dropped) == 0;
}

bool prepare_datagram(int fd) {
    // Router answers reach a ping socket only through its error queue.
    const int on = 1;
    return setsockopt(fd, IPPROTO_IP, IP_RECVERR, &on, sizeof on) == 0;
}

bool set_type_of_service(int fd) {
    return setsockopt(fd, IPPROTO_IP, IP_TOS, &type_of_service, sizeof type_of_service) == 0;
}

icmp_socket try_open(icmp_socket_kind kind) {
    const int fd =
        socket(AF_INET, (kind == icmp_socket_kind::raw ? SOCK_RAW : SOCK_DGRAM) | SOCK_CLOEXEC,
               IPPROTO_ICMP);
    if (fd < 0) return {-1, icmp_socket_kind::none, std::strerror(errno)};
    const bool ready = set_type_of_service(fd) &&
                       (kind == icmp_socket_kind::raw ? prepare_raw(fd) : prepare_datagram(fd));
    if (!ready) {
        const std::string reason = std::strerror(errno);
        close(fd);
        return {-1, icmp_socket_kind::none, reason};
    }
    return {fd, kind, {}};
}

} // namespace

icmp_socket open_icmp_socket() {
    icmp_socket opened = try_open(icmp_socket_kind::raw);
    if (opened.kind == icmp_socket_kind::none) {
        opened = try_open(icmp_socket_kind::datagram);
        if (opened.kind == icmp_socket_kind::none)
            opened.error += ". Grant the program cap_net_raw (setcap cap_net_raw+ep hoplot) or "
                            "allow ping sockets for your group (sysctl net.ipv4.ping_group_range)";
    }
    drop_capabilities();
    return opened;
}

icmp_socket_kind icmp_socket_kind_of(int fd) {
    const auto option = [fd](int name) {
        int value = -1;
        socklen_t size = sizeof value;
        return getsockopt(fd, SOL_SOCKET, name, &value, &size) == 0 ? value : -1;
    };
    if (option(SO_DOMAIN) != AF_INET || option(SO_PROTOCOL) != IPPROTO_ICMP)
        return icmp_socket_kind::none;
    switch (option(SO_TYPE)) {
    case SOCK_RAW:
        return icmp_socket_kind::raw;
    case SOCK_DGRAM:
        return icmp_socket_kind::datagram;
    default:
        return icmp_socket_kind::none;
    }
}

std::string icmp_socket_failure(const icmp_socket& socket) {
    return "Can't open ICMP socket: " + socket.error;
}

const icmp_socket& process_icmp_socket() {
    static const icmp_socket opened = [] {
        std::optional<icmp_socket> passed = take_passed_icmp_socket();
        if (!passed) return open_icmp_socket();
        drop_capabilities();
        return *passed;
    }();
    return opened;
}

} // namespace hoplot
