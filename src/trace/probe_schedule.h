#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/prober.h"

namespace hoplot {

struct probe_settings {
    int window = 29;   // TTLs waiting for an answer at one time
    int last_ttl = 29; // 29 TTLs, 1 to 29
    int tries = 3;     // probes per TTL, as traceroute sends: the first and two retries
    // Between the first probes of successive TTLs: a burst would queue behind itself on a slow
    // link (a probe takes 0.4 ms on 1 Mbit/s), and every probe in it would come back late by the
    // queue before it.
    std::chrono::microseconds spacing{500};
    std::chrono::milliseconds timeout{5000};
};

enum class probe_state { unsent, waiting, answered, timed_out };

// One echo request of a TTL.
struct sent_probe {
    std::uint16_t sequence = 0;
    probe_clock::time_point at;
    bool failed = false; // it never left: a send error
};

struct probe_slot {
    probe_state state = probe_state::unsent;
    std::vector<sent_probe> probes;   // in the order sent; the first one starts the wait
    ip_address from;                  // answered: who
    std::chrono::microseconds rtt{0}; // answered: round trip of the probe that was answered
};

// Which TTL to probe next and when a TTL has waited long enough, for one trace. Pure
// bookkeeping: the caller sends, receives and reads the clock.
//
// A TTL still unanswered once a higher TTL has answered is probed again after one and a half
// times that answer's round trip, up to `tries` probes; a probe that met a send error is tried
// again after a moment. The TTL right below the lowest one the destination answered decides
// where the route ends: it is probed again until its wait is over, as the destination's echo
// replies (unlike routers' errors) are not rate-limited. Retries never extend a TTL's wait,
// which runs from its first probe.
class probe_schedule {
  public:
    probe_schedule(probe_settings settings, const ip_address& destination);

    // The next TTL to probe at `now`: a retry that is due, or a first probe while the window
    // has room and the spacing since the last first probe is over; the lowest such TTL.
    std::optional<int> next_to_send(probe_clock::time_point now) const;
    void sent(int ttl, std::uint16_t sequence, probe_clock::time_point at);
    // A probe of the TTL could not be sent at `at`; its last try leaves the TTL timed out.
    void failed(int ttl, probe_clock::time_point at);
    // Records an answer; the TTL it answers, or none when that TTL is not waiting (any more).
    std::optional<int> answered(const probe_reply& reply);
    // Times out every waiting TTL whose wait is over at `now`.
    void expire(probe_clock::time_point now);
    // When a first probe, a retry or a time-out is due next.
    std::optional<probe_clock::time_point> next_event() const;

    // The last TTL the trace reports: the lowest where the destination answered, else the last.
    int last_needed() const { return destination_ttl_.value_or(settings_.last_ttl); }
    const probe_slot& slot(int ttl) const { return slots_.at(static_cast<std::size_t>(ttl)); }

  private:
    probe_slot& slot_of(int ttl) { return slots_.at(static_cast<std::size_t>(ttl)); }
    const probe_slot* answered_above(int ttl) const;
    probe_clock::time_point deadline(int ttl) const;
    std::optional<probe_clock::time_point> retry_due(int ttl) const;
    std::optional<probe_clock::time_point> first_probe_due() const;
    void record(int ttl, sent_probe probe);

    probe_settings settings_;
    ip_address destination_;
    std::optional<int> destination_ttl_;
    std::optional<probe_clock::time_point> last_first_probe_;
    std::vector<probe_slot> slots_; // index = TTL; 0 unused
};

// How long a TTL waits, from its first probe, once a higher TTL was answered after `rtt`: ten
// times that (Linux traceroute's rule), within 10 ms and the full time-out.
std::chrono::microseconds near_wait(std::chrono::microseconds rtt,
                                    std::chrono::milliseconds timeout);

// How long a probe stays unanswered, once a higher TTL was answered after `rtt`, before its TTL
// is probed again: one and a half times that, within 2 ms and a fifth of the time-out, so that
// three probes and their answers fit well in the near wait.
std::chrono::microseconds retry_wait(std::chrono::microseconds rtt,
                                     std::chrono::milliseconds timeout);

} // namespace hoplot
