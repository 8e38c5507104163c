#include "trace/probe_schedule.h"

#include <algorithm>

namespace hoplot {

std::chrono::milliseconds near_wait(std::chrono::milliseconds rtt,
                                    std::chrono::milliseconds timeout) {
    return std::clamp(rtt * 10, std::chrono::milliseconds(10), timeout);
}

probe_schedule::probe_schedule(probe_settings settings, const ip_address& destination)
    : settings_(settings), destination_(destination),
      slots_(static_cast<std::size_t>(settings.last_ttl) + 1) {}

std::optional<int> probe_schedule::next_to_send() const {
    int waiting = 0;
    std::optional<int> first_unsent;
    for (int ttl = 1; ttl <= last_needed(); ++ttl) {
        const probe_state state = slot(ttl).state;
        if (state == probe_state::waiting) ++waiting;
        if (state == probe_state::unsent && !first_unsent) first_unsent = ttl;
    }
    if (waiting >= settings_.window) return std::nullopt;
    return first_unsent;
}

void probe_schedule::sent(int ttl, std::uint16_t sequence, probe_clock::time_point at) {
    probe_slot& probe = slots_.at(static_cast<std::size_t>(ttl));
    probe.state = probe_state::waiting;
    probe.sequence = sequence;
    probe.sent = at;
}

void probe_schedule::failed(int ttl) {
    slots_.at(static_cast<std::size_t>(ttl)).state = probe_state::timed_out;
}

std::optional<int> probe_schedule::answered(const probe_reply& reply) {
    for (int ttl = 1; ttl <= last_needed(); ++ttl) {
        probe_slot& probe = slots_[static_cast<std::size_t>(ttl)];
        if (probe.state != probe_state::waiting || probe.sequence != reply.sequence) continue;
        probe.state = probe_state::answered;
        probe.from = reply.from;
        probe.rtt = std::chrono::duration_cast<std::chrono::milliseconds>(reply.at - probe.sent);
        if (reply.from == destination_) destination_ttl_ = ttl;
        return ttl;
    }
    return std::nullopt;
}

probe_clock::time_point probe_schedule::deadline(int ttl) const {
    const probe_slot& probe = slot(ttl);
    for (int higher = ttl + 1; higher <= last_needed(); ++higher)
        if (slot(higher).state == probe_state::answered)
            return probe.sent + near_wait(slot(higher).rtt, settings_.timeout);
    return probe.sent + settings_.timeout;
}

void probe_schedule::expire(probe_clock::time_point now) {
    for (int ttl = 1; ttl <= last_needed(); ++ttl)
        if (slot(ttl).state == probe_state::waiting && deadline(ttl) <= now) failed(ttl);
}

std::optional<probe_clock::time_point> probe_schedule::next_deadline() const {
    std::optional<probe_clock::time_point> earliest;
    for (int ttl = 1; ttl <= last_needed(); ++ttl)
        if (slot(ttl).state == probe_state::waiting && (!earliest || deadline(ttl) < *earliest))
            earliest = deadline(ttl);
    return earliest;
}

} // namespace hoplot
