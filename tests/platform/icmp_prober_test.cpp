#include "platform/icmp_prober.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/capabilities.h"
#include "platform/icmp_packet.h"

namespace hoplot {
namespace {

// Whether this process could open an ICMP socket of either kind (without keeping it).
bool icmp_available() {
    for (const int type : {SOCK_RAW, SOCK_DGRAM})
        if (const int fd = socket(AF_INET, type, IPPROTO_ICMP); fd >= 0) return close(fd) == 0;
    return false;
}

// Each case runs in a child process: opening the socket drops this process's capabilities.
TEST(icmp_socket, opening_gives_up_every_capability) {
    EXPECT_EXIT(
        {
            open_icmp_socket();
            _exit(holds_no_capabilities() && socket(AF_INET, SOCK_RAW, IPPROTO_ICMP) < 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Probes loopback after a stranger's echo request with the same sequence (on a raw socket; a
// ping socket's identifier is the kernel's to choose); the exit code says what went wrong.
int probe_loopback() {
    const icmp_socket opened = open_icmp_socket();
    icmp_prober probes(opened);
    const ipv4_address loopback = *parse_ipv4("127.0.0.1");
    const auto stranger = make_echo_request({0x5555, 7});
    const sockaddr_in to{AF_INET, 0, {loopback.network_order}, {}};
    sendto(opened.fd, stranger.data(), stranger.size(), 0, reinterpret_cast<const sockaddr*>(&to),
           sizeof to);
    if (!probes.send(loopback, 64, 7)) return 2;
    const auto reply = probes.receive(std::chrono::milliseconds(2000));
    if (!reply || reply->sequence != 7 || !(reply->from == loopback)) return 3;
    return probes.receive(std::chrono::milliseconds(200)) ? 4 : 0;
}

TEST(icmp_prober, takes_its_own_loopback_answer_and_no_stranger_s) {
    if (!icmp_available()) GTEST_SKIP() << "no raw or ping socket for this user";
    EXPECT_EXIT(_exit(probe_loopback()), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace hoplot
