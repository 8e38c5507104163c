#pragma once

#include <cstdint>

#include "platform/icmp_socket.h"
#include "platform/prober.h"

namespace hoplot {

// The prober over a real ICMP socket (not owned). Each instance has an identifier of its own,
// so answers to an earlier trace or to other programs' pings are never taken for its own.
class icmp_prober : public prober {
  public:
    explicit icmp_prober(const icmp_socket& socket);
    std::optional<probe_clock::time_point> send(const ip_address& destination, int ttl,
                                                std::uint16_t sequence) override;
    std::optional<probe_reply> receive(std::chrono::microseconds wait) override;

  private:
    std::optional<probe_reply> read_raw();
    std::optional<probe_reply> read_reply();
    std::optional<probe_reply> read_error();

    int fd_;
    icmp_socket_kind kind_;
    ip_family family_;
    std::uint16_t identifier_;
};

// A prober over the process's ICMP socket of the destination's family, or the reason there is
// none (no socket, or no IPv6 on this machine).
prober_opening open_system_prober(const ip_address& destination);

} // namespace hoplot
