#include "platform/icmp_prober.h"

#include <linux/errqueue.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/icmp_packet.h"

namespace hoplot {
namespace {

constexpr std::size_t packet_buffer_size = 10000;

std::uint16_t random_identifier() {
    std::random_device seed;
    return static_cast<std::uint16_t>(seed());
}

bool send_once(int fd, ipv4_address destination, int ttl,
               const std::array<std::uint8_t, 8>& packet) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = destination.network_order;
    iovec data{const_cast<std::uint8_t*>(packet.data()), packet.size()};
    // The TTL travels with the packet, so probes of different TTLs never race on the socket.
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
    message.msg_name = &to;
    message.msg_namelen = sizeof to;
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = IPPROTO_IP;
    header->cmsg_type = IP_TTL;
    header->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(header), &ttl, sizeof ttl);
    return sendmsg(fd, &message, 0) == static_cast<ssize_t>(packet.size());
}

} // namespace

icmp_prober::icmp_prober(const icmp_socket& socket)
    : fd_(socket.fd), kind_(socket.kind), identifier_(random_identifier()) {}

bool icmp_prober::send(ipv4_address destination, int ttl, std::uint16_t sequence) {
    const auto packet = make_echo_request({identifier_, sequence});
    // An ICMP error that arrived for an earlier probe is reported once by the next send;
    // that send is then simply made again.
    return send_once(fd_, destination, ttl, packet) || send_once(fd_, destination, ttl, packet);
}

std::optional<probe_reply> icmp_prober::receive(std::chrono::milliseconds wait) {
    const auto deadline = probe_clock::now() + wait;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - probe_clock::now());
        pollfd watched{fd_, POLLIN, 0};
        const int ready = poll(&watched, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready < 0 && errno != EINTR) return std::nullopt;
        if (ready > 0) {
            std::optional<probe_reply> reply;
            if (kind_ == icmp_socket_kind::raw)
                reply = read_raw();
            else if (watched.revents & POLLERR)
                reply = read_error();
            // A plain read also clears an error the kernel flagged without queueing it.
            if (!reply && kind_ == icmp_socket_kind::datagram) reply = read_reply();
            if (reply) return reply;
        }
        if (probe_clock::now() >= deadline) return std::nullopt;
    }
}

std::optional<probe_reply> icmp_prober::read_raw() {
    std::uint8_t buffer[packet_buffer_size];
    const ssize_t size = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (size <= 0) return std::nullopt;
    const auto answer = parse_raw_answer(buffer, static_cast<std::size_t>(size));
    if (!answer || answer->probe.identifier != identifier_) return std::nullopt;
    return probe_reply{answer->probe.sequence, answer->from, probe_clock::now()};
}

std::optional<probe_reply> icmp_prober::read_reply() {
    std::uint8_t buffer[packet_buffer_size];
    sockaddr_in from{};
    socklen_t from_size = sizeof from;
    const ssize_t size = recvfrom(fd_, buffer, sizeof buffer, MSG_DONTWAIT,
                                  reinterpret_cast<sockaddr*>(&from), &from_size);
    if (size <= 0) return std::nullopt;
    // The kernel hands a ping socket only the replies to its own identifier.
    const auto id = parse_icmp_header(buffer, static_cast<std::size_t>(size), icmp_echo_reply);
    if (!id) return std::nullopt;
    return probe_reply{id->sequence, ipv4_address{from.sin_addr.s_addr}, probe_clock::now()};
}

std::optional<probe_reply> icmp_prober::read_error() {
    std::uint8_t quoted[packet_buffer_size];
    iovec data{quoted, sizeof quoted};
    alignas(cmsghdr) char control[512];
    msghdr message{};
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t size = recvmsg(fd_, &message, MSG_ERRQUEUE | MSG_DONTWAIT);
    if (size < 0) return std::nullopt;
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
         header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level != IPPROTO_IP || header->cmsg_type != IP_RECVERR) continue;
        const auto* error = reinterpret_cast<const sock_extended_err*>(CMSG_DATA(header));
        if (error->ee_origin != SO_EE_ORIGIN_ICMP ||
            (error->ee_type != icmp_time_exceeded && error->ee_type != icmp_unreachable))
            continue;
        const auto id =
            parse_icmp_header(quoted, static_cast<std::size_t>(size), icmp_echo_request);
        if (!id) continue;
        const auto* offender = reinterpret_cast<const sockaddr_in*>(SO_EE_OFFENDER(error));
        return probe_reply{id->sequence, ipv4_address{offender->sin_addr.s_addr},
                           probe_clock::now()};
    }
    return std::nullopt;
}

prober_opening open_system_prober() {
    const icmp_socket& socket = process_icmp_socket();
    if (socket.kind == icmp_socket_kind::none)
        return {nullptr, "Can't open ICMP socket: " + socket.error};
    return {std::make_unique<icmp_prober>(socket), {}};
}

} // namespace hoplot
