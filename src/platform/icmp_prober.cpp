#include "platform/icmp_prober.h"

#include <linux/errqueue.h>
#include <linux/filter.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <iterator>
#include <random>

#include "platform/icmp_packet.h"
#include "platform/socket_address.h"

namespace hoplot {
namespace {

constexpr std::size_t packet_buffer_size = 10000;

std::uint16_t random_identifier() {
    std::random_device seed;
    return static_cast<std::uint16_t>(seed());
}

// Sends the packet with its TTL; when it went, or none.
std::optional<probe_clock::time_point> send_once(int fd, const ip_address& destination, int ttl,
                                                 const std::array<std::uint8_t, 8>& packet) {
    const socket_address to(destination);
    iovec data{const_cast<std::uint8_t*>(packet.data()), packet.size()};
    // The TTL travels with the packet, so probes of different TTLs never race on the socket.
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
    message.msg_name = const_cast<sockaddr*>(to.get());
    message.msg_namelen = to.size();
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    const bool v4 = destination.family == ip_family::v4;
    header->cmsg_level = v4 ? IPPROTO_IP : IPPROTO_IPV6;
    header->cmsg_type = v4 ? IP_TTL : IPV6_HOPLIMIT;
    header->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(header), &ttl, sizeof ttl);
    const auto at = probe_clock::now();
    if (sendmsg(fd, &message, 0) != static_cast<ssize_t>(packet.size())) return std::nullopt;
    return at;
}

// A kernel receive time (CLOCK_REALTIME) on the trace's clock: as long before now on the
// steady clock as it is before now on the wall clock.
probe_clock::time_point steady_time(const timespec& stamp) {
    using namespace std::chrono;
    const auto wall = system_clock::now();
    const auto steady = probe_clock::now();
    const auto stamped = system_clock::time_point(
        duration_cast<system_clock::duration>(seconds(stamp.tv_sec) + nanoseconds(stamp.tv_nsec)));
    // A wall clock set back in between must not put an answer before its probe.
    return steady - std::max(wall - stamped, system_clock::duration::zero());
}

// One datagram as recvmsg gives it: data, sender, control messages.
struct inbound {
    std::uint8_t data[packet_buffer_size];
    alignas(cmsghdr) char control[512];
    sockaddr_storage from{};
    iovec vector{};
    msghdr message{};
    std::size_t size = 0;

    // Reads one datagram without waiting (flags: MSG_ERRQUEUE or 0); false when none was there.
    bool read(int fd, int flags) {
        vector = {data, sizeof data};
        message = {};
        message.msg_name = &from;
        message.msg_namelen = sizeof from;
        message.msg_iov = &vector;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t got = recvmsg(fd, &message, flags | MSG_DONTWAIT);
        size = got > 0 ? static_cast<std::size_t>(got) : 0;
        return got >= 0;
    }

    // When the kernel received it (SO_TIMESTAMPNS), else now: reading late adds the delay of
    // the loop that reads to the round trip.
    probe_clock::time_point received_at() {
        for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
             header = CMSG_NXTHDR(&message, header)) {
            if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_TIMESTAMPNS) continue;
            timespec stamp{};
            std::memcpy(&stamp, CMSG_DATA(header), sizeof stamp);
            return steady_time(stamp);
        }
        return probe_clock::now();
    }

    std::optional<ip_address> sender() const {
        return from_socket_address(reinterpret_cast<const sockaddr&>(from));
    }
};

// A raw socket gets every ICMP packet of the host. This kernel filter lets through only echo
// replies with our identifier and errors quoting it, so a ping flood next door cannot fill the
// receive buffer and crowd out our answers.
bool accept_only(int fd, std::uint16_t identifier) {
    constexpr std::uint8_t accept = 14;
    sock_filter code[] = {
        BPF_STMT(BPF_LDX | BPF_B | BPF_MSH, 0),                     // X = IP header length
        BPF_STMT(BPF_LD | BPF_B | BPF_IND, 0),                      // A = ICMP type
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, icmp_echo_reply, 0, 2), // echo reply?
        BPF_STMT(BPF_LD | BPF_H | BPF_IND, 4),                      //   its identifier
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, identifier, accept - 5, accept - 4),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, icmp_time_exceeded, 1, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, icmp_unreachable, 0, accept - 6),
        BPF_STMT(BPF_LD | BPF_B | BPF_IND, 8),     // quoted IP header:
        BPF_STMT(BPF_ALU | BPF_AND | BPF_K, 0x0F), //   its length
        BPF_STMT(BPF_ALU | BPF_LSH | BPF_K, 2),
        BPF_STMT(BPF_ALU | BPF_ADD | BPF_X, 0),
        BPF_STMT(BPF_MISC | BPF_TAX, 0),
        BPF_STMT(BPF_LD | BPF_H | BPF_IND, 12), // quoted identifier
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, identifier, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, 0xFFFF), // accept
        BPF_STMT(BPF_RET | BPF_K, 0),      // reject
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(code)), code};
    return setsockopt(fd, SOL_SOCKET, SO_ATTACH_FILTER, &program, sizeof program) == 0;
}

// The same for a raw ICMPv6 socket, whose packets start at the ICMPv6 header. An error quotes
// our IPv6 header (40 bytes, next header ICMPv6) before the echo request.
bool accept_only6(int fd, std::uint16_t identifier) {
    constexpr std::uint8_t accept = 10;
    sock_filter code[] = {
        BPF_STMT(BPF_LD | BPF_B | BPF_ABS, 0),                       // A = ICMPv6 type
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, icmp6_echo_reply, 0, 2), // echo reply?
        BPF_STMT(BPF_LD | BPF_H | BPF_ABS, 4),                       //   its identifier
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, identifier, accept - 4, accept - 3),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, icmp6_time_exceeded, 1, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, icmp6_unreachable, 0, accept - 5),
        BPF_STMT(BPF_LD | BPF_B | BPF_ABS, 8 + 6), // quoted next header
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 58, 0, accept - 7),
        BPF_STMT(BPF_LD | BPF_H | BPF_ABS, 8 + 40 + 4), // quoted identifier
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, identifier, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, 0xFFFF), // accept
        BPF_STMT(BPF_RET | BPF_K, 0),      // reject
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(code)), code};
    return setsockopt(fd, SOL_SOCKET, SO_ATTACH_FILTER, &program, sizeof program) == 0;
}

} // namespace

icmp_prober::icmp_prober(const icmp_socket& socket)
    : fd_(socket.fd), kind_(socket.kind), family_(socket.family), identifier_(random_identifier()) {
    // Without the filter the prober still works; it just reads and discards more.
    if (kind_ == icmp_socket_kind::raw) {
        if (family_ == ip_family::v4)
            accept_only(fd_, identifier_);
        else
            accept_only6(fd_, identifier_);
    }
    // Whatever queued up before (the socket is open from the start) could fill the receive
    // buffer, and the answers to our first probes, arriving within microseconds, would be lost.
    std::uint8_t buffer[packet_buffer_size];
    while (recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT) >= 0 || errno == EINTR) {
    }
    while (recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT | MSG_ERRQUEUE) >= 0 || errno == EINTR) {
    }
}

std::optional<probe_clock::time_point> icmp_prober::send(const ip_address& destination, int ttl,
                                                         std::uint16_t sequence) {
    const echo_id id{identifier_, sequence};
    const auto packet = family_ == ip_family::v4 ? make_echo_request(id) : make_echo6_request(id);
    // An ICMP error that arrived for an earlier probe is reported once by the next send;
    // that send is then simply made again.
    if (const auto at = send_once(fd_, destination, ttl, packet)) return at;
    return send_once(fd_, destination, ttl, packet);
}

std::optional<probe_reply> icmp_prober::receive(std::chrono::microseconds wait) {
    const auto deadline = probe_clock::now() + wait;
    for (;;) {
        // To the microsecond: the probes of a trace go out a fraction of a millisecond apart.
        const auto left = std::max(
            std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - probe_clock::now()),
            std::chrono::nanoseconds::zero());
        const timespec timeout{static_cast<time_t>(left.count() / 1000000000),
                               static_cast<long>(left.count() % 1000000000)};
        pollfd watched{fd_, POLLIN, 0};
        const int ready = ppoll(&watched, 1, &timeout, nullptr);
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
    inbound packet;
    if (!packet.read(fd_, 0) || packet.size == 0) return std::nullopt;
    std::optional<raw_answer> answer;
    if (family_ == ip_family::v4)
        answer = parse_raw_answer(packet.data, packet.size);
    else if (const auto sender = packet.sender())
        answer = parse_raw6_answer(packet.data, packet.size, *sender);
    if (!answer || answer->probe.identifier != identifier_) return std::nullopt;
    return probe_reply{answer->probe.sequence, answer->from, packet.received_at()};
}

std::optional<probe_reply> icmp_prober::read_reply() {
    inbound packet;
    if (!packet.read(fd_, 0) || packet.size == 0) return std::nullopt;
    // The kernel hands a ping socket only the replies to its own identifier.
    const auto id = parse_icmp_header(
        packet.data, packet.size, family_ == ip_family::v4 ? icmp_echo_reply : icmp6_echo_reply);
    const auto sender = packet.sender();
    if (!id || !sender) return std::nullopt;
    return probe_reply{id->sequence, *sender, packet.received_at()};
}

std::optional<probe_reply> icmp_prober::read_error() {
    inbound packet;
    if (!packet.read(fd_, MSG_ERRQUEUE)) return std::nullopt;
    const bool v4 = family_ == ip_family::v4;
    for (cmsghdr* header = CMSG_FIRSTHDR(&packet.message); header != nullptr;
         header = CMSG_NXTHDR(&packet.message, header)) {
        if (v4 ? header->cmsg_level != IPPROTO_IP || header->cmsg_type != IP_RECVERR
               : header->cmsg_level != IPPROTO_IPV6 || header->cmsg_type != IPV6_RECVERR)
            continue;
        const auto* error = reinterpret_cast<const sock_extended_err*>(CMSG_DATA(header));
        const bool from_router =
            v4 ? error->ee_origin == SO_EE_ORIGIN_ICMP &&
                     (error->ee_type == icmp_time_exceeded || error->ee_type == icmp_unreachable)
               : error->ee_origin == SO_EE_ORIGIN_ICMP6 &&
                     (error->ee_type == icmp6_time_exceeded || error->ee_type == icmp6_unreachable);
        if (!from_router) continue;
        // The data is the quoted echo request; the kernel stamps the error like any packet.
        const auto id = parse_icmp_header(packet.data, packet.size,
                                          v4 ? icmp_echo_request : icmp6_echo_request);
        const auto offender = from_socket_address(*SO_EE_OFFENDER(error));
        if (!id || !offender) continue;
        return probe_reply{id->sequence, *offender, packet.received_at()};
    }
    return std::nullopt;
}

prober_opening open_system_prober(const ip_address& destination) {
    const icmp_socket& socket = process_icmp_socket(destination.family);
    if (socket.kind == icmp_socket_kind::none) return {nullptr, icmp_socket_failure(socket)};
    // Without an IPv6 route every probe would fail to go out and the trace would only time out.
    if (destination.family == ip_family::v6 && !routable(destination))
        return {nullptr, "IPv6 is unavailable: no route to " + to_text(destination)};
    return {std::make_unique<icmp_prober>(socket), {}};
}

} // namespace hoplot
