#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/prober.h"

namespace hoplot {

struct probe_settings {
    int window = 29;   // probes waiting for an answer at one time
    int last_ttl = 29; // 29 probes, TTL 1 to 29
    std::chrono::milliseconds timeout{5000};
};

enum class probe_state { unsent, waiting, answered, timed_out };

struct probe_slot {
    probe_state state = probe_state::unsent;
    std::uint16_t sequence = 0;
    probe_clock::time_point sent;
    ip_address from;                  // answered: who
    std::chrono::milliseconds rtt{0}; // answered: round-trip time
};

// Which TTL to probe next and when a probe has waited long enough, for one trace. Pure
// bookkeeping: the caller sends, receives and reads the clock.
class probe_schedule {
  public:
    probe_schedule(probe_settings settings, const ip_address& destination);

    // The next TTL to send, when the window has room and it is still needed.
    std::optional<int> next_to_send() const;
    void sent(int ttl, std::uint16_t sequence, probe_clock::time_point at);
    void failed(int ttl);
    // Records an answer; the TTL it answers, or none when it is not an awaited one.
    std::optional<int> answered(const probe_reply& reply);
    // Times out every waiting probe whose wait is over at `now`.
    void expire(probe_clock::time_point now);
    std::optional<probe_clock::time_point> next_deadline() const;

    // The last TTL the trace reports: where the destination answered, else the last TTL.
    int last_needed() const { return destination_ttl_.value_or(settings_.last_ttl); }
    bool reached() const { return destination_ttl_.has_value(); }
    const probe_slot& slot(int ttl) const { return slots_.at(static_cast<std::size_t>(ttl)); }

  private:
    probe_clock::time_point deadline(int ttl) const;

    probe_settings settings_;
    ip_address destination_;
    std::optional<int> destination_ttl_;
    std::vector<probe_slot> slots_; // index = TTL; 0 unused
};

// How long a probe waits once a probe of a higher TTL was answered after `rtt`: ten times that
// (Linux traceroute's rule), within 10 ms and the full time-out.
std::chrono::milliseconds near_wait(std::chrono::milliseconds rtt,
                                    std::chrono::milliseconds timeout);

} // namespace hoplot
