#include "platform/icmp_socket.h"

#include <netinet/icmp6.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/capabilities.h"
#include "platform/icmp_handover.h"
#include "platform/icmp_packet.h"

namespace hoplot {
namespace {

// From <linux/icmp.h>, which clashes with <netinet/ip_icmp.h>.
constexpr int icmp_filter_option = 1;
constexpr int type_of_service = 8;

int domain_of(ip_family family) {
    return family == ip_family::v4 ? AF_INET : AF_INET6;
}

int protocol_of(ip_family family) {
    return family == ip_family::v4 ? int{IPPROTO_ICMP} : int{IPPROTO_ICMPV6};
}

bool prepare_raw(int fd) {
    // Only echo replies, time exceeded and destination unreachable reach the socket.
    const std::uint32_t dropped = ~((1U << 0) | (1U << 3) | (1U << 11));
    return setsockopt(fd, SOL_RAW, icmp_filter_option, &dropped, sizeof dropped) == 0;
}

bool prepare_raw6(int fd) {
    icmp6_filter passed;
    ICMP6_FILTER_SETBLOCKALL(&passed);
    for (const std::uint8_t type : {icmp6_echo_reply, icmp6_time_exceeded, icmp6_unreachable})
        ICMP6_FILTER_SETPASS(type, &passed);
    return setsockopt(fd, IPPROTO_ICMPV6, ICMP6_FILTER, &passed, sizeof passed) == 0;
}

bool prepare_datagram(int fd, ip_family family) {
    // Router answers reach a ping socket only through its error queue.
    const int on = 1;
    if (family == ip_family::v6)
        return setsockopt(fd, IPPROTO_IPV6, IPV6_RECVERR, &on, sizeof on) == 0;
    return setsockopt(fd, IPPROTO_IP, IP_RECVERR, &on, sizeof on) == 0;
}

bool set_type_of_service(int fd, ip_family family) {
    if (family == ip_family::v6)
        return setsockopt(fd, IPPROTO_IPV6, IPV6_TCLASS, &type_of_service,
                          sizeof type_of_service) == 0;
    return setsockopt(fd, IPPROTO_IP, IP_TOS, &type_of_service, sizeof type_of_service) == 0;
}

// The kernel's receive time comes with every answer. Asked for as the socket opens: the kernel
// turns stamping on a moment later, and the first answers of a trace must not miss it. Without
// it answers are timed when read, a little late.
void stamp_arrivals(int fd) {
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
}

bool prepare(int fd, icmp_socket_kind kind, ip_family family) {
    if (!set_type_of_service(fd, family)) return false;
    stamp_arrivals(fd);
    if (kind == icmp_socket_kind::datagram) return prepare_datagram(fd, family);
    return family == ip_family::v4 ? prepare_raw(fd) : prepare_raw6(fd);
}

icmp_socket try_open(icmp_socket_kind kind, ip_family family) {
    const int fd = socket(domain_of(family),
                          (kind == icmp_socket_kind::raw ? SOCK_RAW : SOCK_DGRAM) | SOCK_CLOEXEC,
                          protocol_of(family));
    if (fd < 0)
        return {-1, icmp_socket_kind::none, std::strerror(errno), family, errno == EAFNOSUPPORT};
    if (!prepare(fd, kind, family)) {
        const std::string reason = std::strerror(errno);
        close(fd);
        return {-1, icmp_socket_kind::none, reason, family};
    }
    return {fd, kind, {}, family};
}

icmp_socket open_one(ip_family family) {
    icmp_socket opened = try_open(icmp_socket_kind::raw, family);
    if (opened.kind == icmp_socket_kind::none) {
        opened = try_open(icmp_socket_kind::datagram, family);
        if (opened.kind == icmp_socket_kind::none)
            opened.error += ". Grant the program cap_net_raw (setcap cap_net_raw+ep hoplot) or "
                            "allow ping sockets for your group (sysctl net.ipv4.ping_group_range)";
    }
    return opened;
}

// The socket handed over for the family, else a new one.
icmp_socket passed_or_opened(ip_family family) {
    std::optional<icmp_socket> passed = take_passed_icmp_socket(family);
    return passed ? *passed : open_one(family);
}

} // namespace

icmp_sockets open_icmp_sockets() {
    icmp_sockets opened{open_one(ip_family::v4), open_one(ip_family::v6)};
    drop_capabilities();
    return opened;
}

icmp_socket_kind icmp_socket_kind_of(int fd, ip_family family) {
    const auto option = [fd](int name) {
        int value = -1;
        socklen_t size = sizeof value;
        return getsockopt(fd, SOL_SOCKET, name, &value, &size) == 0 ? value : -1;
    };
    if (option(SO_DOMAIN) != domain_of(family) || option(SO_PROTOCOL) != protocol_of(family))
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
    if (socket.family_missing && socket.family == ip_family::v6)
        return "IPv6 is unavailable on this machine";
    return "Can't open ICMP socket: " + socket.error;
}

const icmp_sockets& process_icmp_sockets() {
    static const icmp_sockets opened = [] {
        icmp_sockets sockets{passed_or_opened(ip_family::v4), passed_or_opened(ip_family::v6)};
        drop_capabilities();
        return sockets;
    }();
    return opened;
}

const icmp_socket& process_icmp_socket(ip_family family) {
    return process_icmp_sockets().of(family);
}

} // namespace hoplot
