#include "platform/ipv4_address.h"

#include <arpa/inet.h>

namespace hoplot {

std::optional<ipv4_address> parse_ipv4(const std::string& dotted) {
    in_addr parsed{};
    if (inet_pton(AF_INET, dotted.c_str(), &parsed) != 1) return std::nullopt;
    return ipv4_address{parsed.s_addr};
}

std::string to_text(ipv4_address address) {
    in_addr raw{};
    raw.s_addr = address.network_order;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &raw, text, sizeof text);
    return text;
}

} // namespace hoplot
