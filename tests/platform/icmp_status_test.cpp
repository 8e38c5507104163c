#include "platform/icmp_status.h"

#include <gtest/gtest.h>

namespace hoplot {
namespace {

TEST(icmp_status, names_the_socket_kind_and_says_what_to_do_without_one) {
    EXPECT_EQ(describe_icmp_socket({3, icmp_socket_kind::raw, {}}).text, "Raw ICMP");
    EXPECT_EQ(describe_icmp_socket({3, icmp_socket_kind::datagram, {}}).text, "Ping socket");

    const icmp_status none =
        describe_icmp_socket({-1, icmp_socket_kind::none, "Operation not permitted. Grant ..."});
    EXPECT_EQ(none.text, "No ICMP permission");
    EXPECT_EQ(none.tooltip, "Can't open ICMP socket: Operation not permitted. Grant ...");
}

} // namespace
} // namespace hoplot
