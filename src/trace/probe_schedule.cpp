#include "trace/probe_schedule.h"

#include <algorithm>

namespace hoplot {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// A send error is mostly a full buffer or an ICMP error reported late: worth a new try soon.
constexpr milliseconds send_retry_wait{10};

} // namespace

microseconds near_wait(microseconds rtt, milliseconds timeout) {
    return std::clamp<microseconds>(rtt * 10, milliseconds(10), timeout);
}

microseconds retry_wait(microseconds rtt, milliseconds timeout) {
    return std::clamp<microseconds>(rtt * 3 / 2, milliseconds(2), timeout / 5);
}

probe_schedule::probe_schedule(probe_settings settings, const ip_address& destination)
    : settings_(settings), destination_(destination),
      slots_(static_cast<std::size_t>(settings.last_ttl) + 1) {}

// When the next TTL's first probe may go: the window has room and the spacing is over.
std::optional<probe_clock::time_point> probe_schedule::first_probe_due() const {
    int waiting = 0;
    bool unsent = false;
    for (int ttl = 1; ttl <= last_needed(); ++ttl) {
        if (slot(ttl).state == probe_state::waiting) ++waiting;
        if (slot(ttl).state == probe_state::unsent) unsent = true;
    }
    if (!unsent || waiting >= settings_.window) return std::nullopt;
    if (!last_first_probe_) return probe_clock::time_point{}; // the clock's epoch: at once
    return *last_first_probe_ + settings_.spacing;
}

std::optional<int> probe_schedule::next_to_send(probe_clock::time_point now) const {
    const auto first_due = first_probe_due();
    const bool first_now = first_due && *first_due <= now;
    for (int ttl = 1; ttl <= last_needed(); ++ttl) {
        if (slot(ttl).state == probe_state::unsent && first_now) return ttl;
        if (const auto due = retry_due(ttl); due && *due <= now) return ttl;
    }
    return std::nullopt;
}

void probe_schedule::record(int ttl, sent_probe probe) {
    probe_slot& entry = slot_of(ttl);
    if (entry.probes.empty()) last_first_probe_ = probe.at;
    entry.probes.push_back(probe);
    const bool gave_up = probe.failed && static_cast<int>(entry.probes.size()) >= settings_.tries;
    entry.state = gave_up ? probe_state::timed_out : probe_state::waiting;
}

void probe_schedule::sent(int ttl, std::uint16_t sequence, probe_clock::time_point at) {
    record(ttl, {sequence, at, false});
}

void probe_schedule::failed(int ttl, probe_clock::time_point at) {
    record(ttl, {0, at, true});
}

std::optional<int> probe_schedule::answered(const probe_reply& reply) {
    for (int ttl = 1; ttl <= last_needed(); ++ttl) {
        probe_slot& probe = slot_of(ttl);
        if (probe.state != probe_state::waiting) continue;
        const auto request = std::find_if(probe.probes.begin(), probe.probes.end(), [&](auto& p) {
            return !p.failed && p.sequence == reply.sequence;
        });
        if (request == probe.probes.end()) continue;
        probe.state = probe_state::answered;
        probe.from = reply.from;
        probe.rtt = std::chrono::duration_cast<microseconds>(reply.at - request->at);
        if (reply.from == destination_) destination_ttl_ = ttl;
        return ttl;
    }
    return std::nullopt;
}

const probe_slot* probe_schedule::answered_above(int ttl) const {
    for (int higher = ttl + 1; higher <= last_needed(); ++higher)
        if (slot(higher).state == probe_state::answered) return &slot(higher);
    return nullptr;
}

probe_clock::time_point probe_schedule::deadline(int ttl) const {
    const probe_clock::time_point first = slot(ttl).probes.front().at;
    if (const probe_slot* near = answered_above(ttl))
        return first + near_wait(near->rtt, settings_.timeout);
    return first + settings_.timeout;
}

std::optional<probe_clock::time_point> probe_schedule::retry_due(int ttl) const {
    const probe_slot& probe = slot(ttl);
    const bool deciding = destination_ttl_ && ttl == *destination_ttl_ - 1;
    if (probe.state != probe_state::waiting ||
        (!deciding && static_cast<int>(probe.probes.size()) >= settings_.tries))
        return std::nullopt;
    const sent_probe& last = probe.probes.back();
    std::chrono::microseconds wait = send_retry_wait;
    std::chrono::microseconds round_trip{0};
    if (!last.failed) {
        const probe_slot* near = answered_above(ttl);
        // Without an answer from farther away, silence may just be a long way: only the time-out.
        if (!near) return std::nullopt;
        wait = retry_wait(near->rtt, settings_.timeout);
        round_trip = near->rtt;
    }
    // A probe whose answer could not be back before the wait is over is not worth sending.
    const auto due = last.at + wait;
    if (due + round_trip >= deadline(ttl)) return std::nullopt;
    return due;
}

void probe_schedule::expire(probe_clock::time_point now) {
    for (int ttl = 1; ttl <= last_needed(); ++ttl)
        if (slot(ttl).state == probe_state::waiting && deadline(ttl) <= now)
            slot_of(ttl).state = probe_state::timed_out;
}

std::optional<probe_clock::time_point> probe_schedule::next_event() const {
    std::optional<probe_clock::time_point> earliest;
    const auto consider = [&earliest](probe_clock::time_point at) {
        if (!earliest || at < *earliest) earliest = at;
    };
    if (const auto first_due = first_probe_due()) consider(*first_due);
    for (int ttl = 1; ttl <= last_needed(); ++ttl) {
        if (slot(ttl).state != probe_state::waiting) continue;
        consider(deadline(ttl));
        if (const auto due = retry_due(ttl)) consider(*due);
    }
    return earliest;
}

} // namespace hoplot
