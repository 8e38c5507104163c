#include "platform/socket_address.h"

#include <unistd.h>

#include <cstring>

namespace hoplot {

socket_address::socket_address(const ip_address& address) {
    if (address.family == ip_family::v4) {
        auto& v4 = reinterpret_cast<sockaddr_in&>(storage_);
        v4.sin_family = AF_INET;
        v4.sin_addr.s_addr = address.v4().network_order;
        size_ = sizeof v4;
    } else {
        auto& v6 = reinterpret_cast<sockaddr_in6&>(storage_);
        v6.sin6_family = AF_INET6;
        std::memcpy(&v6.sin6_addr, address.bytes.data(), 16);
        size_ = sizeof v6;
    }
}

std::optional<ip_address> from_socket_address(const sockaddr& address) {
    if (address.sa_family == AF_INET)
        return ip_address(
            ipv4_address{reinterpret_cast<const sockaddr_in&>(address).sin_addr.s_addr});
    if (address.sa_family != AF_INET6) return std::nullopt;
    std::array<std::uint8_t, 16> bytes{};
    std::memcpy(bytes.data(), &reinterpret_cast<const sockaddr_in6&>(address).sin6_addr, 16);
    return ip_address::v6(bytes);
}

bool routable(const ip_address& destination) {
    const int fd = socket(destination.family == ip_family::v4 ? AF_INET : AF_INET6,
                          SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const socket_address to(destination);
    const bool connected = connect(fd, to.get(), to.size()) == 0;
    close(fd);
    return connected;
}

} // namespace hoplot
