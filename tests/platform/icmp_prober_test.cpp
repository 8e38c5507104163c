#include "platform/icmp_prober.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

#include "platform/capabilities.h"
#include "platform/icmp_packet.h"
#include "platform/socket_address.h"

namespace hoplot {
namespace {

// Whether this process could open an ICMP socket of either kind (without keeping it).
bool icmp_available(int family) {
    for (const int type : {SOCK_RAW, SOCK_DGRAM})
        if (const int fd =
                socket(family, type, family == AF_INET ? int{IPPROTO_ICMP} : int{IPPROTO_ICMPV6});
            fd >= 0)
            return close(fd) == 0;
    return false;
}

// Each case runs in a child process: opening the socket drops this process's capabilities.
TEST(icmp_socket, opening_gives_up_every_capability) {
    EXPECT_EXIT(
        {
            open_icmp_sockets();
            _exit(holds_no_capabilities() && socket(AF_INET, SOCK_RAW, IPPROTO_ICMP) < 0 &&
                          socket(AF_INET6, SOCK_RAW, IPPROTO_ICMPV6) < 0
                      ? 0
                      : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Probes loopback after a stranger's echo request with the same sequence (on a raw socket; a
// ping socket's identifier is the kernel's to choose); the exit code says what went wrong.
int probe_loopback(ip_family family) {
    const icmp_socket opened = open_icmp_sockets().of(family);
    icmp_prober probes(opened);
    const ip_address loopback = *parse_ip(family == ip_family::v4 ? "127.0.0.1" : "::1");
    const auto stranger =
        family == ip_family::v4 ? make_echo_request({0x5555, 7}) : make_echo6_request({0x5555, 7});
    const socket_address to(loopback);
    sendto(opened.fd, stranger.data(), stranger.size(), 0, to.get(), to.size());
    if (!probes.send(loopback, 64, 7)) return 2;
    const auto reply = probes.receive(std::chrono::milliseconds(2000));
    if (!reply || reply->sequence != 7 || !(reply->from == loopback)) return 3;
    return probes.receive(std::chrono::milliseconds(200)) ? 4 : 0;
}

TEST(icmp_prober, takes_its_own_loopback_answer_and_no_stranger_s) {
    for (const auto family : {ip_family::v4, ip_family::v6}) {
        const bool v4 = family == ip_family::v4;
        if (!icmp_available(v4 ? AF_INET : AF_INET6) ||
            !routable(*parse_ip(v4 ? "127.0.0.1" : "::1"))) {
            std::printf("skipped IPv%d: no ICMP socket or loopback for this user\n", v4 ? 4 : 6);
            continue;
        }
        EXPECT_EXIT(_exit(probe_loopback(family)), ::testing::ExitedWithCode(0), "")
            << (v4 ? "IPv4" : "IPv6");
    }
}

} // namespace
} // namespace hoplot
