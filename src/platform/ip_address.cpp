#include "platform/ip_address.h"

#include <arpa/inet.h>

#include <cstring>

namespace hoplot {

ip_address::ip_address(ipv4_address v4) {
    std::memcpy(bytes.data(), &v4.network_order, 4);
}

ip_address ip_address::v6(const std::array<std::uint8_t, 16>& bytes) {
    ip_address address;
    address.family = ip_family::v6;
    address.bytes = bytes;
    return address;
}

ipv4_address ip_address::v4() const {
    ipv4_address address;
    std::memcpy(&address.network_order, bytes.data(), 4);
    return address;
}

std::optional<ip_address> parse_ip(const std::string& text) {
    if (const auto v4 = parse_ipv4(text)) return ip_address(*v4);
    std::array<std::uint8_t, 16> bytes{};
    if (inet_pton(AF_INET6, text.c_str(), bytes.data()) != 1) return std::nullopt;
    return ip_address::v6(bytes);
}

std::string to_text(const ip_address& address) {
    if (address.family == ip_family::v4) return to_text(address.v4());
    // glibc writes the RFC 5952 form: lower case, the first longest run of two or more zero
    // groups as "::", the embedded dotted form only for mapped and compatible addresses.
    char text[INET6_ADDRSTRLEN] = {};
    inet_ntop(AF_INET6, address.bytes.data(), text, sizeof text);
    return text;
}

} // namespace hoplot
