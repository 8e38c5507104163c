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
    for (const int type : {SOCK_RAW, SOCK_DGRAM}) {
        const int fd = socket(AF_INET, type, IPPROTO_ICMP);
        if (fd >= 0) {
            close(fd);
            return true;
        }
    }
    return false;
}

// Each case runs in a child process: opening the socket drops this process's capabilities.
TEST(icmp_socket, opening_gives_up_every_capability) {
    EXPECT_EXIT(
        {
            open_icmp_socket();
            const int raw = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
            _exit(holds_no_capabilities() && raw < 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(icmp_prober, takes_its_own_loopback_answer_and_no_stranger_s) {
    if (!icmp_available()) GTEST_SKIP() << "no raw or ping socket for this user";
    EXPECT_EXIT(
        {
            const icmp_socket opened = open_icmp_socket();
            icmp_prober probes(opened);
            const ipv4_address loopback = *parse_ipv4("127.0.0.1");
            // A stranger's echo request with the same sequence (on a raw socket; a ping
            // socket's identifier is the kernel's to choose).
            const auto stranger = make_echo_request({0x5555, 7});
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_addr.s_addr = loopback.network_order;
            sendto(opened.fd, stranger.data(), stranger.size(), 0,
                   reinterpret_cast<const sockaddr*>(&to), sizeof to);
            if (!probes.send(loopback, 64, 7)) _exit(2);
            const auto reply = probes.receive(std::chrono::milliseconds(2000));
            if (!reply || reply->sequence != 7 || !(reply->from == loopback)) _exit(3);
            if (probes.receive(std::chrono::milliseconds(200))) _exit(4);
            _exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace hoplot
