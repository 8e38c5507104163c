#include "platform/names.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>
#include <memory>

#include "base/blocking_call.h"
#include "platform/socket_address.h"

namespace hoplot {
namespace {

int system_family(address_family family) {
    switch (family) {
    case address_family::ipv4:
        return AF_INET;
    case address_family::ipv6:
        return AF_INET6;
    case address_family::automatic:
        break;
    }
    return AF_UNSPEC;
}

forward_result system_resolve_host(const std::string& name, address_family family) {
    addrinfo hints{};
    hints.ai_family = system_family(family);
    hints.ai_socktype = SOCK_RAW;
    addrinfo* found = nullptr;
    const int status = getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (status != 0 || found == nullptr) return {std::nullopt, gai_strerror(status)};
    std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owner(found, freeaddrinfo);
    const auto address = from_socket_address(*found->ai_addr);
    if (!address) return {std::nullopt, "unknown address family"};
    return {to_text(*address), {}};
}

std::optional<std::string> system_reverse_lookup(const ip_address& address) {
    const socket_address to(address);
    char host[NI_MAXHOST] = {};
    if (getnameinfo(to.get(), to.size(), host, sizeof host, nullptr, 0, NI_NAMEREQD) != 0)
        return std::nullopt;
    return std::string(host);
}

} // namespace

forward_result resolve_host(const std::string& name, address_family family,
                            const std::stop_token& stop) {
    return run_blocking_call<forward_result>(
               [name, family] { return system_resolve_host(name, family); }, stop)
        .value_or(forward_result{std::nullopt, "stopped"});
}

std::optional<std::string> reverse_lookup(const std::string& address, const std::stop_token& stop) {
    const auto parsed = parse_ip(address);
    if (!parsed) return std::nullopt;
    return run_blocking_call<std::optional<std::string>>(
               [to = *parsed] { return system_reverse_lookup(to); }, stop)
        .value_or(std::nullopt);
}

} // namespace hoplot
