#include "platform/icmp_handover.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace hoplot {
namespace {

bool close_on_exec(int fd) {
    return (fcntl(fd, F_GETFD) & FD_CLOEXEC) != 0;
}

const char* named_socket() {
    return std::getenv(icmp_socket_variable);
}

TEST(icmp_handover, passes_an_icmp_socket_across_exec_and_takes_it_back) {
    for (const auto& [type, kind] : {std::pair{SOCK_RAW, icmp_socket_kind::raw},
                                     std::pair{SOCK_DGRAM, icmp_socket_kind::datagram}}) {
        const int fd = socket(AF_INET, type | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd < 0) continue; // this user may not open this kind
        ASSERT_TRUE(pass_icmp_socket_on({fd, kind, {}}));
        EXPECT_FALSE(close_on_exec(fd));
        ASSERT_NE(named_socket(), nullptr);
        EXPECT_EQ(named_socket(), std::to_string(fd));

        const auto taken = take_passed_icmp_socket();
        ASSERT_TRUE(taken);
        EXPECT_EQ(taken->fd, fd);
        EXPECT_EQ(taken->kind, kind);
        // Not inherited by whatever the window starts later, nor named to it.
        EXPECT_TRUE(close_on_exec(fd));
        EXPECT_EQ(named_socket(), nullptr);
        close(fd);
    }
    // Without a socket, a name left by whoever started hoplot is not passed on.
    setenv(icmp_socket_variable, "3", 1);
    ASSERT_TRUE(pass_icmp_socket_on({}));
    EXPECT_EQ(named_socket(), nullptr);
    EXPECT_FALSE(take_passed_icmp_socket());
}

// A raw socket of the family when this user may open one, else a ping socket; -1 for neither.
std::pair<int, icmp_socket_kind> any_icmp_socket(int family) {
    const int protocol = family == AF_INET ? int{IPPROTO_ICMP} : int{IPPROTO_ICMPV6};
    for (const auto& [type, kind] : {std::pair{SOCK_RAW, icmp_socket_kind::raw},
                                     std::pair{SOCK_DGRAM, icmp_socket_kind::datagram}})
        if (const int fd = socket(family, type | SOCK_CLOEXEC, protocol); fd >= 0)
            return {fd, kind};
    return {-1, icmp_socket_kind::none};
}

TEST(icmp_handover, each_family_takes_only_its_own_socket_from_its_own_name) {
    const auto [icmp6, kind6] = any_icmp_socket(AF_INET6);
    const int icmp = any_icmp_socket(AF_INET).first;
    if (icmp6 < 0 || icmp < 0) GTEST_SKIP() << "no ICMP sockets for this user";
    ASSERT_TRUE(pass_icmp_socket_on({icmp6, kind6, {}, ip_family::v6}));
    EXPECT_EQ(std::getenv(icmp6_socket_variable), std::to_string(icmp6));
    EXPECT_FALSE(take_passed_icmp_socket(ip_family::v4));
    const auto taken = take_passed_icmp_socket(ip_family::v6);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->fd, icmp6);
    EXPECT_EQ(taken->kind, kind6);
    EXPECT_EQ(taken->family, ip_family::v6);
    EXPECT_EQ(std::getenv(icmp6_socket_variable), nullptr);
    // An IPv4 socket named as the IPv6 one is refused.
    setenv(icmp6_socket_variable, std::to_string(icmp).c_str(), 1);
    EXPECT_EQ(take_passed_icmp_socket(ip_family::v6)->kind, icmp_socket_kind::none);
    close(icmp6);
    close(icmp);
}

TEST(icmp_handover, refuses_what_is_not_an_ipv4_icmp_socket) {
    int pipe_ends[2];
    ASSERT_EQ(pipe2(pipe_ends, O_CLOEXEC), 0);
    const int udp = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    const int tcp = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int icmp6 = socket(AF_INET6, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMPV6);
    const int unix_socket = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(udp, 0);
    ASSERT_GE(tcp, 0);
    ASSERT_GE(unix_socket, 0);

    std::vector<std::string> named = {std::to_string(pipe_ends[0]),
                                      std::to_string(udp),
                                      std::to_string(tcp),
                                      std::to_string(unix_socket),
                                      "999999",
                                      "-1",
                                      "",
                                      "abc",
                                      std::to_string(udp) + "x"};
    if (icmp6 >= 0) named.push_back(std::to_string(icmp6));
    for (const std::string& value : named) {
        setenv(icmp_socket_variable, value.c_str(), 1);
        const auto taken = take_passed_icmp_socket();
        ASSERT_TRUE(taken) << value;
        EXPECT_EQ(taken->kind, icmp_socket_kind::none) << value;
        EXPECT_EQ(taken->fd, -1) << value;
        EXPECT_NE(taken->error.find("does not name an ICMP socket"), std::string::npos) << value;
        EXPECT_EQ(named_socket(), nullptr) << value;
    }
    // A refused descriptor is not the program's to close.
    EXPECT_TRUE(close_on_exec(pipe_ends[0]));
    for (const int fd : {pipe_ends[0], pipe_ends[1], udp, tcp, icmp6, unix_socket})
        if (fd >= 0) close(fd);
}

} // namespace
} // namespace hoplot
