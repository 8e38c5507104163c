#include "platform/names.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <memory>

namespace hoplot {

forward_result resolve_host(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_RAW;
    addrinfo* found = nullptr;
    const int status = getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (status != 0 || found == nullptr) return {std::nullopt, gai_strerror(status)};
    std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owner(found, freeaddrinfo);
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    inet_ntop(AF_INET, &address->sin_addr, text, sizeof text);
    return {std::string(text), {}};
}

std::optional<std::string> reverse_lookup(const std::string& dotted) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    if (inet_pton(AF_INET, dotted.c_str(), &address.sin_addr) != 1) return std::nullopt;
    char host[NI_MAXHOST] = {};
    if (getnameinfo(reinterpret_cast<const sockaddr*>(&address), sizeof address, host, sizeof host,
                    nullptr, 0, NI_NAMEREQD) != 0)
        return std::nullopt;
    return std::string(host);
}

} // namespace hoplot
