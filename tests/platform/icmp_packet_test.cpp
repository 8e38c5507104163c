#include "platform/icmp_packet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace hoplot {
namespace {

using bytes = std::vector<std::uint8_t>;

bytes ip_header(std::uint8_t protocol, const char* from, std::size_t options = 0) {
    bytes header(20 + options, 0);
    header[0] = static_cast<std::uint8_t>(0x40 | (5 + options / 4));
    header[9] = protocol;
    const std::uint32_t source = parse_ipv4(from)->network_order;
    std::memcpy(header.data() + 12, &source, 4);
    return header;
}

bytes icmp(std::uint8_t type, std::uint16_t identifier, std::uint16_t sequence) {
    return {type,
            0,
            0,
            0,
            static_cast<std::uint8_t>(identifier >> 8),
            static_cast<std::uint8_t>(identifier),
            static_cast<std::uint8_t>(sequence >> 8),
            static_cast<std::uint8_t>(sequence)};
}

bytes operator+(bytes a, const bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(internet_checksum, matches_rfc_1071_and_checks_to_zero) {
    const bytes example = {0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7};
    EXPECT_EQ(internet_checksum(example.data(), example.size()), 0x220d);
    const bytes odd = {0x01, 0x02, 0x03};
    EXPECT_EQ(internet_checksum(odd.data(), odd.size()), static_cast<std::uint16_t>(~0x0402));

    for (const echo_id id : {echo_id{0, 0}, echo_id{0x1234, 0xffff}, echo_id{0xffff, 1}}) {
        const auto request = make_echo_request(id);
        EXPECT_EQ(internet_checksum(request.data(), request.size()), 0);
        EXPECT_EQ(parse_icmp_header(request.data(), request.size(), icmp_echo_request), id);
    }
}

TEST(parse_raw_answer, reads_who_answered_which_probe) {
    const struct {
        const char* what;
        bytes packet;
        std::optional<std::uint8_t> type;
    } cases[] = {
        {"echo reply", ip_header(1, "192.0.2.9") + icmp(0, 0xbeef, 42), icmp_echo_reply},
        {"time exceeded",
         ip_header(1, "10.0.0.1") + icmp(11, 0, 0) + ip_header(1, "10.0.0.99") +
             icmp(8, 0xbeef, 42),
         icmp_time_exceeded},
        {"unreachable, options in both headers",
         ip_header(1, "10.0.0.1", 8) + icmp(3, 0, 0) + ip_header(1, "10.0.0.99", 4) +
             icmp(8, 0xbeef, 42) + bytes{1, 2, 3},
         icmp_unreachable},
        {"our own request on loopback", ip_header(1, "10.0.0.1") + icmp(8, 0xbeef, 42), {}},
        {"redirect",
         ip_header(1, "10.0.0.1") + icmp(5, 0, 0) + ip_header(1, "10.0.0.99") + icmp(8, 0xbeef, 42),
         {}},
        {"error quoting a reply, not a request",
         ip_header(1, "10.0.0.1") + icmp(11, 0, 0) + ip_header(1, "10.0.0.99") +
             icmp(0, 0xbeef, 42),
         {}},
        {"error quoting UDP",
         ip_header(1, "10.0.0.1") + icmp(11, 0, 0) + ip_header(17, "10.0.0.99") +
             icmp(8, 0xbeef, 42),
         {}},
        {"not ICMP", ip_header(6, "10.0.0.1") + icmp(0, 0xbeef, 42), {}},
    };
    for (const auto& c : cases) {
        const auto answer = parse_raw_answer(c.packet.data(), c.packet.size());
        ASSERT_EQ(answer.has_value(), c.type.has_value()) << c.what;
        if (!answer) continue;
        EXPECT_EQ(answer->type, *c.type) << c.what;
        EXPECT_EQ(answer->probe, (echo_id{0xbeef, 42})) << c.what;
        EXPECT_EQ(to_text(answer->from),
                  c.what == std::string("echo reply") ? "192.0.2.9" : "10.0.0.1");
    }
}

TEST(parse_raw_answer, refuses_every_truncation_and_bad_header_length) {
    const bytes whole =
        ip_header(1, "10.0.0.1") + icmp(11, 0, 0) + ip_header(1, "10.0.0.99") + icmp(8, 0xbeef, 42);
    for (std::size_t size = 0; size < whole.size(); ++size)
        EXPECT_FALSE(parse_raw_answer(whole.data(), size)) << size;
    ASSERT_TRUE(parse_raw_answer(whole.data(), whole.size()));

    for (const std::uint8_t first_byte : {0x44, 0x4f, 0x65}) { // too short, too long, IPv6
        bytes broken = whole;
        broken[0] = first_byte;
        EXPECT_FALSE(parse_raw_answer(broken.data(), broken.size())) << int(first_byte);
        broken = whole;
        broken[28] = first_byte; // the quoted header
        EXPECT_FALSE(parse_raw_answer(broken.data(), broken.size())) << int(first_byte);
    }
}

} // namespace
} // namespace hoplot
