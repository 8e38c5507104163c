#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/ip_address.h"

namespace hoplot {

// Building and reading the ICMP packets of a trace. Everything read here comes from the
// network, so every length is checked before it is used.

inline constexpr std::uint8_t icmp_echo_reply = 0;
inline constexpr std::uint8_t icmp_unreachable = 3;
inline constexpr std::uint8_t icmp_echo_request = 8;
inline constexpr std::uint8_t icmp_time_exceeded = 11;

inline constexpr std::uint8_t icmp6_unreachable = 1;
inline constexpr std::uint8_t icmp6_time_exceeded = 3;
inline constexpr std::uint8_t icmp6_echo_request = 128;
inline constexpr std::uint8_t icmp6_echo_reply = 129;

struct echo_id {
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
    bool operator==(const echo_id&) const = default;
};

// An answer to one of our echo requests as a raw socket sees it.
struct raw_answer {
    std::uint8_t type = 0; // echo reply, time exceeded or destination unreachable
    echo_id probe;         // identifier and sequence of the request it answers
    ip_address from;       // who answered: the hop
};

// RFC 1071 checksum.
std::uint16_t internet_checksum(const std::uint8_t* data, std::size_t size);

// An echo request without data: type 8, code 0, checksum, identifier, sequence.
std::array<std::uint8_t, 8> make_echo_request(echo_id id);
// An ICMPv6 echo request without data: type 128 and a zero checksum, which the kernel fills in
// (it covers the addresses of the IPv6 header).
std::array<std::uint8_t, 8> make_echo6_request(echo_id id);

// A packet from a raw ICMP socket, IP header first. None unless it is an echo reply, or a time
// exceeded or destination unreachable message quoting an ICMP echo request.
std::optional<raw_answer> parse_raw_answer(const std::uint8_t* data, std::size_t size);

// A packet from a raw ICMPv6 socket, which delivers it without IPv6 header (its source comes
// from recvfrom: `from`). None unless it is an echo reply, or a time exceeded or destination
// unreachable message quoting an ICMPv6 echo request.
std::optional<raw_answer> parse_raw6_answer(const std::uint8_t* data, std::size_t size,
                                            const ip_address& from);

// An ICMP header without IP header, as a ping socket delivers it (expected type given).
std::optional<echo_id> parse_icmp_header(const std::uint8_t* data, std::size_t size,
                                         std::uint8_t type);

} // namespace hoplot
