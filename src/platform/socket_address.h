#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

#include <optional>

#include "platform/ip_address.h"

namespace hoplot {

// An address as the socket calls take it (port 0).
class socket_address {
  public:
    explicit socket_address(const ip_address& address);
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&storage_); }
    socklen_t size() const { return size_; }

  private:
    sockaddr_storage storage_{};
    socklen_t size_ = 0;
};

// The address of an AF_INET or AF_INET6 socket address; none for another family.
std::optional<ip_address> from_socket_address(const sockaddr& address);

// Whether the system has a route to the address (and its family at all): connecting a UDP
// socket looks the route up and sends nothing.
bool routable(const ip_address& destination);

} // namespace hoplot
