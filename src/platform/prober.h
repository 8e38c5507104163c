#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/ip_address.h"

namespace hoplot {

using probe_clock = std::chrono::steady_clock;

// One answer to a probe: which probe (by sequence), who answered, and when it arrived (the
// kernel's receive time where the socket gives it).
struct probe_reply {
    std::uint16_t sequence = 0;
    ip_address from;
    probe_clock::time_point at;
};

// Sends ICMP echo requests and hands back the answers to them, and only to them. The trace
// engine is given one; tests give it a scripted one.
class prober {
  public:
    virtual ~prober() = default;
    // Sends one echo request with the given TTL (hop limit): the time it left, read right
    // before it was handed to the kernel; none when it could not be sent.
    virtual std::optional<probe_clock::time_point> send(const ip_address& destination, int ttl,
                                                        std::uint16_t sequence) = 0;
    // The next answer to one of this prober's requests, waiting at most `wait` for it.
    virtual std::optional<probe_reply> receive(std::chrono::microseconds wait) = 0;
};

struct prober_opening {
    std::unique_ptr<prober> opened; // none when no ICMP socket could be had
    std::string error;              // why not, and what to do about it
};

} // namespace hoplot
