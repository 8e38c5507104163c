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

bytes icmp(std::uint8_t type, std::uint16_t id, std::uint16_t seq) {
    using u8 = std::uint8_t;
    return {type, 0, 0, 0, u8(id >> 8), u8(id), u8(seq >> 8), u8(seq)};
}

bytes operator+(bytes a, const bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// An ICMP error from 10.0.0.1 quoting a packet to 10.0.0.99 with identifier 0xbeef, sequence 42.
bytes error(std::uint8_t type, std::uint8_t quoted_protocol = 1, std::uint8_t quoted_type = 8) {
    return ip_header(1, "10.0.0.1") + icmp(type, 0, 0) + ip_header(quoted_protocol, "10.0.0.99") +
           icmp(quoted_type, 0xbeef, 42);
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
        const auto request6 = make_echo6_request(id);
        EXPECT_EQ(parse_icmp_header(request6.data(), request6.size(), icmp6_echo_request), id);
    }
}

TEST(parse_raw_answer, reads_who_answered_which_probe) {
    const struct {
        const char* what;
        bytes packet;
        std::optional<std::uint8_t> type;
    } cases[] = {
        {"echo reply", ip_header(1, "10.0.0.1") + icmp(0, 0xbeef, 42), icmp_echo_reply},
        {"time exceeded", error(11), icmp_time_exceeded},
        {"unreachable, options in both headers",
         ip_header(1, "10.0.0.1", 8) + icmp(3, 0, 0) + ip_header(1, "10.0.0.99", 4) +
             icmp(8, 0xbeef, 42) + bytes{1, 2, 3},
         icmp_unreachable},
        {"our own request on loopback", ip_header(1, "10.0.0.1") + icmp(8, 0xbeef, 42), {}},
        {"redirect", error(5), {}},
        {"error quoting a reply, not a request", error(11, 1, 0), {}},
        {"error quoting UDP", error(11, 17), {}},
        {"not ICMP", ip_header(6, "10.0.0.1") + icmp(0, 0xbeef, 42), {}},
    };
    for (const auto& c : cases) {
        const auto answer = parse_raw_answer(c.packet.data(), c.packet.size());
        ASSERT_EQ(answer.has_value(), c.type.has_value()) << c.what;
        if (!answer) continue;
        EXPECT_EQ(answer->type, *c.type) << c.what;
        EXPECT_EQ(answer->probe, (echo_id{0xbeef, 42})) << c.what;
        EXPECT_EQ(to_text(answer->from), "10.0.0.1") << c.what;
    }
}

TEST(parse_raw_answer, refuses_every_truncation_and_bad_header_length) {
    const bytes whole = error(11);
    for (std::size_t size = 0; size < whole.size(); ++size)
        EXPECT_FALSE(parse_raw_answer(whole.data(), size)) << size;
    for (const std::size_t at : {0, 28})                           // the header, the quoted header
        for (const std::uint8_t first_byte : {0x44, 0x4f, 0x65}) { // too short, too long, IPv6
            bytes broken = whole;
            broken[at] = first_byte;
            EXPECT_FALSE(parse_raw_answer(broken.data(), broken.size())) << at << int(first_byte);
        }
}

// An ICMPv6 error quoting our IPv6 header (next header as given) and an ICMPv6 message.
bytes error6(std::uint8_t type, std::uint8_t next_header = 58, std::uint8_t quoted_type = 128) {
    bytes ip6(40, 0);
    ip6[0] = 0x60;
    ip6[6] = next_header;
    return icmp(type, 0, 0) + ip6 + icmp(quoted_type, 0xbeef, 42);
}

TEST(parse_raw6_answer, reads_which_probe_was_answered) {
    const ip_address router = *parse_ip("2001:db8::1");
    const struct {
        const char* what;
        bytes packet;
        std::optional<std::uint8_t> type;
    } cases[] = {
        {"echo reply", icmp(129, 0xbeef, 42), icmp6_echo_reply},
        {"time exceeded", error6(3), icmp6_time_exceeded},
        {"unreachable with trailing data", error6(1) + bytes{1, 2, 3}, icmp6_unreachable},
        {"our own request on loopback", icmp(128, 0xbeef, 42), {}},
        {"an IPv4 echo reply type", icmp(0, 0xbeef, 42), {}},
        {"packet too big", error6(2), {}},
        {"error quoting a reply", error6(3, 58, 129), {}},
        {"error quoting UDP", error6(3, 17), {}},
    };
    for (const auto& c : cases) {
        const auto answer = parse_raw6_answer(c.packet.data(), c.packet.size(), router);
        ASSERT_EQ(answer.has_value(), c.type.has_value()) << c.what;
        if (!answer) continue;
        EXPECT_EQ(answer->type, *c.type) << c.what;
        EXPECT_EQ(answer->probe, (echo_id{0xbeef, 42})) << c.what;
        EXPECT_EQ(answer->from, router) << c.what;
    }
    const bytes whole = error6(3);
    for (std::size_t size = 0; size < whole.size(); ++size)
        EXPECT_FALSE(parse_raw6_answer(whole.data(), size, router)) << size;
    bytes version4 = whole;
    version4[8] = 0x45;
    EXPECT_FALSE(parse_raw6_answer(version4.data(), version4.size(), router));
}

} // namespace
} // namespace hoplot
