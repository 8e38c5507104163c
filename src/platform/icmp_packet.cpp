#include "platform/icmp_packet.h"

#include <cstring>

namespace hoplot {
namespace {

constexpr std::size_t icmp_header_size = 8;
constexpr std::uint8_t protocol_icmp = 1;
constexpr std::uint8_t protocol_icmp6 = 58;
constexpr std::size_t ip6_header_size = 40;

std::uint16_t read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

// Length of a well-formed IPv4 header at data, or 0.
std::size_t ip_header_size(const std::uint8_t* data, std::size_t size) {
    if (size < 20 || (data[0] >> 4) != 4) return 0;
    const std::size_t length = static_cast<std::size_t>(data[0] & 0x0F) * 4;
    return length >= 20 && length <= size ? length : 0;
}

} // namespace

std::uint16_t internet_checksum(const std::uint8_t* data, std::size_t size) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        sum += read16(data + i);
    if (size % 2 == 1) sum += static_cast<std::uint32_t>(data[size - 1]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

std::array<std::uint8_t, 8> make_echo6_request(echo_id id) {
    return {icmp6_echo_request,
            0,
            0,
            0,
            static_cast<std::uint8_t>(id.identifier >> 8),
            static_cast<std::uint8_t>(id.identifier),
            static_cast<std::uint8_t>(id.sequence >> 8),
            static_cast<std::uint8_t>(id.sequence)};
}

std::array<std::uint8_t, 8> make_echo_request(echo_id id) {
    std::array<std::uint8_t, 8> packet = {icmp_echo_request,
                                          0,
                                          0,
                                          0,
                                          static_cast<std::uint8_t>(id.identifier >> 8),
                                          static_cast<std::uint8_t>(id.identifier),
                                          static_cast<std::uint8_t>(id.sequence >> 8),
                                          static_cast<std::uint8_t>(id.sequence)};
    const std::uint16_t sum = internet_checksum(packet.data(), packet.size());
    packet[2] = static_cast<std::uint8_t>(sum >> 8);
    packet[3] = static_cast<std::uint8_t>(sum);
    return packet;
}

std::optional<echo_id> parse_icmp_header(const std::uint8_t* data, std::size_t size,
                                         std::uint8_t type) {
    if (size < icmp_header_size || data[0] != type) return std::nullopt;
    return echo_id{read16(data + 4), read16(data + 6)};
}

std::optional<raw_answer> parse_raw_answer(const std::uint8_t* data, std::size_t size) {
    const std::size_t outer = ip_header_size(data, size);
    if (outer == 0 || data[9] != protocol_icmp || size < outer + icmp_header_size)
        return std::nullopt;
    raw_answer answer;
    ipv4_address from;
    std::memcpy(&from.network_order, data + 12, 4);
    answer.from = from;
    const std::uint8_t* icmp = data + outer;
    answer.type = icmp[0];
    if (answer.type == icmp_echo_reply) {
        answer.probe = *parse_icmp_header(icmp, icmp_header_size, icmp_echo_reply);
        return answer;
    }
    if (answer.type != icmp_time_exceeded && answer.type != icmp_unreachable) return std::nullopt;
    // The router quotes our IP header and at least the first eight bytes of our echo request.
    const std::uint8_t* quoted = icmp + icmp_header_size;
    const std::size_t quoted_size = size - outer - icmp_header_size;
    const std::size_t inner = ip_header_size(quoted, quoted_size);
    if (inner == 0 || quoted[9] != protocol_icmp) return std::nullopt;
    const auto request = parse_icmp_header(quoted + inner, quoted_size - inner, icmp_echo_request);
    if (!request) return std::nullopt;
    answer.probe = *request;
    return answer;
}

std::optional<raw_answer> parse_raw6_answer(const std::uint8_t* data, std::size_t size,
                                            const ip_address& from) {
    if (size < icmp_header_size) return std::nullopt;
    raw_answer answer;
    answer.type = data[0];
    answer.from = from;
    if (answer.type == icmp6_echo_reply) {
        answer.probe = *parse_icmp_header(data, size, icmp6_echo_reply);
        return answer;
    }
    if (answer.type != icmp6_time_exceeded && answer.type != icmp6_unreachable) return std::nullopt;
    // The router quotes as much of our packet as fits: its IPv6 header (our probes carry no
    // extension headers, so ICMPv6 follows at once) and the echo request.
    const std::uint8_t* quoted = data + icmp_header_size;
    const std::size_t quoted_size = size - icmp_header_size;
    if (quoted_size < ip6_header_size || (quoted[0] >> 4) != 6 || quoted[6] != protocol_icmp6)
        return std::nullopt;
    const auto request = parse_icmp_header(quoted + ip6_header_size, quoted_size - ip6_header_size,
                                           icmp6_echo_request);
    if (!request) return std::nullopt;
    answer.probe = *request;
    return answer;
}

} // namespace hoplot
