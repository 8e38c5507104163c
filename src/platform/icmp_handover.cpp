#include "platform/icmp_handover.h"

#include <fcntl.h>

#include <charconv>
#include <cstdlib>
#include <string>

namespace hoplot {
namespace {

bool set_close_on_exec(int fd, bool on) {
    const int flags = fcntl(fd, F_GETFD);
    if (flags < 0) return false;
    return fcntl(fd, F_SETFD, on ? flags | FD_CLOEXEC : flags & ~FD_CLOEXEC) == 0;
}

std::optional<int> parse_descriptor(const std::string& text) {
    int fd = -1;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, fd);
    if (error != std::errc() || stop != end || text.empty() || fd < 0) return std::nullopt;
    return fd;
}

const char* variable_of(ip_family family) {
    return family == ip_family::v4 ? icmp_socket_variable : icmp6_socket_variable;
}

} // namespace

bool pass_icmp_socket_on(const icmp_socket& socket) {
    const char* variable = variable_of(socket.family);
    if (socket.kind == icmp_socket_kind::none) return unsetenv(variable) == 0;
    return set_close_on_exec(socket.fd, false) &&
           setenv(variable, std::to_string(socket.fd).c_str(), 1) == 0;
}

std::optional<icmp_socket> take_passed_icmp_socket(ip_family family) {
    const char* variable = variable_of(family);
    const char* named = std::getenv(variable);
    if (named == nullptr) return std::nullopt;
    const std::string value = named;
    unsetenv(variable);
    const std::optional<int> fd = parse_descriptor(value);
    const icmp_socket_kind kind = fd ? icmp_socket_kind_of(*fd, family) : icmp_socket_kind::none;
    if (kind == icmp_socket_kind::none || !set_close_on_exec(*fd, true))
        return icmp_socket{-1, icmp_socket_kind::none,
                           std::string(variable) + "=" + value +
                               " does not name an ICMP socket; start the window with hoplot",
                           family};
    return icmp_socket{*fd, kind, {}, family};
}

} // namespace hoplot
