#include "trace/probe_schedule.h"

#include <gtest/gtest.h>

namespace hoplot {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

const ip_address destination = *parse_ipv4("192.0.2.9");
const ip_address router = *parse_ipv4("198.51.100.1");
const probe_clock::time_point start{};
const probe_settings at_once{.spacing = {}};

probe_clock::time_point at(microseconds after) {
    return start + after;
}

// Sends every first probe the window allows at the start, sequence = 100 + TTL (without spacing).
void send_all(probe_schedule& schedule) {
    while (const auto ttl = schedule.next_to_send(start))
        schedule.sent(*ttl, static_cast<std::uint16_t>(100 + *ttl), start);
}

probe_reply reply(int sequence, ip_address from, microseconds after) {
    return {static_cast<std::uint16_t>(sequence), from, at(after)};
}

TEST(probe_waits, are_ten_and_one_and_a_half_round_trips_within_their_bounds) {
    const struct {
        int rtt_us, near_ms, retry_us;
    } cases[] = {{0, 10, 2000},
                 {1500, 15, 2250},
                 {120000, 1200, 180000},
                 {499000, 4990, 748500},
                 {900000, 5000, 1000000}};
    for (const auto& c : cases) {
        EXPECT_EQ(near_wait(microseconds(c.rtt_us), milliseconds(5000)), milliseconds(c.near_ms));
        EXPECT_EQ(retry_wait(microseconds(c.rtt_us), milliseconds(5000)), microseconds(c.retry_us));
    }
}

TEST(probe_schedule, retries_an_unanswered_ttl_below_an_answer_within_its_first_wait) {
    probe_schedule schedule(at_once, destination);
    send_all(schedule);
    schedule.answered(reply(101, router, milliseconds(1)));
    schedule.answered(reply(103, router, milliseconds(4)));
    schedule.answered(reply(105, router, milliseconds(40)));

    // TTL 2 goes by TTL 3's round trip, the nearest answer above it: again after 6 ms, twice.
    EXPECT_FALSE(schedule.next_to_send(at(milliseconds(5))));
    EXPECT_EQ(schedule.next_to_send(at(milliseconds(6))), 2);
    schedule.sent(2, 202, at(milliseconds(6)));
    EXPECT_EQ(schedule.next_event(), at(milliseconds(12)));
    schedule.sent(2, 302, at(milliseconds(12)));
    // No fourth probe; the wait still ends ten round trips after the first one.
    EXPECT_EQ(schedule.next_event(), at(milliseconds(40)));
    schedule.expire(at(milliseconds(40)));
    EXPECT_EQ(schedule.slot(2).state, probe_state::timed_out);

    // TTL 4 goes by TTL 5's; its retry's answer is timed from the retry.
    EXPECT_FALSE(schedule.next_to_send(at(milliseconds(59))));
    EXPECT_EQ(schedule.next_to_send(at(milliseconds(60))), 4);
    schedule.sent(4, 204, at(milliseconds(60)));
    EXPECT_EQ(schedule.answered(reply(204, router, milliseconds(65))), 4);
    EXPECT_EQ(schedule.slot(4).rtt, milliseconds(5));

    // Nothing answered above TTL 6 and on: no retries, the full time-out from the first probe.
    EXPECT_FALSE(schedule.next_to_send(at(milliseconds(4999))));
    EXPECT_EQ(schedule.next_event(), at(milliseconds(5000)));
    EXPECT_EQ(schedule.slot(6).probes.size(), 1U);
}

TEST(probe_schedule, the_ttl_below_the_destination_s_answer_is_probed_until_it_answers_or_ends) {
    probe_schedule schedule(at_once, destination);
    send_all(schedule);
    for (const int ttl : {1, 2, 3})
        schedule.answered(reply(100 + ttl, router, milliseconds(3)));
    EXPECT_EQ(schedule.answered(reply(105, destination, milliseconds(10))), 5);
    EXPECT_EQ(schedule.last_needed(), 5);
    // Beyond the destination's lowest TTL answers are duplicates, and nothing is sent there.
    EXPECT_FALSE(schedule.answered(reply(106, destination, milliseconds(11))));

    // TTL 4 decides where the route ends: a probe every 15 ms for as long as an answer could
    // come back within its 100 ms.
    for (int ms = 15; ms <= 75; ms += 15) {
        EXPECT_EQ(schedule.next_to_send(at(milliseconds(ms))), 4) << ms;
        schedule.sent(4, static_cast<std::uint16_t>(200 + ms), at(milliseconds(ms)));
    }
    EXPECT_FALSE(schedule.next_to_send(at(milliseconds(90))));
    EXPECT_EQ(schedule.answered(reply(260, destination, milliseconds(69))), 4);
    EXPECT_EQ(schedule.last_needed(), 4);
    EXPECT_EQ(schedule.slot(4).rtt, milliseconds(9));
}

TEST(probe_schedule, a_late_answer_after_a_retry_counts_once_with_its_own_round_trip) {
    probe_schedule schedule(at_once, destination);
    send_all(schedule);
    schedule.answered(reply(103, router, milliseconds(4)));
    schedule.sent(2, 202, at(milliseconds(6)));
    EXPECT_EQ(schedule.answered(reply(102, router, microseconds(7500))), 2);
    EXPECT_FALSE(schedule.answered(reply(202, router, milliseconds(8))));
    EXPECT_EQ(schedule.slot(2).rtt, microseconds(7500));
}

TEST(probe_schedule, first_probes_half_a_millisecond_apart_in_the_window_send_errors_strangers) {
    probe_schedule schedule({.window = 2}, destination);
    EXPECT_EQ(schedule.next_to_send(start), 1);
    schedule.sent(1, 101, start);
    EXPECT_FALSE(schedule.next_to_send(at(microseconds(499))));
    EXPECT_EQ(schedule.next_event(), at(microseconds(500)));
    schedule.sent(2, 102, at(milliseconds(1)));
    EXPECT_FALSE(schedule.next_to_send(at(milliseconds(5))));             // window full
    EXPECT_FALSE(schedule.answered({999, router, start}));                // not our sequence
    EXPECT_FALSE(schedule.answered(reply(103, router, milliseconds(1)))); // not sent yet
    EXPECT_EQ(schedule.answered(reply(101, router, milliseconds(7))), 1);
    EXPECT_FALSE(schedule.answered(reply(101, destination, milliseconds(8)))); // answered already
    EXPECT_EQ(schedule.slot(1).from, router);

    // A send error is tried again 10 ms later; the third one gives the TTL up.
    EXPECT_EQ(schedule.next_to_send(at(milliseconds(8))), 3);
    schedule.failed(3, at(milliseconds(8)));
    EXPECT_FALSE(schedule.next_to_send(at(milliseconds(17)))); // window full: TTLs 2 and 3
    for (const int ms : {18, 28}) {
        EXPECT_EQ(schedule.next_to_send(at(milliseconds(ms))), 3);
        schedule.failed(3, at(milliseconds(ms)));
    }
    EXPECT_EQ(schedule.slot(3).state, probe_state::timed_out);
    EXPECT_EQ(schedule.next_to_send(at(milliseconds(28))), 4);
    schedule.expire(at(milliseconds(5001)));
    EXPECT_FALSE(schedule.answered(reply(102, router, milliseconds(5002)))); // timed out already
}

} // namespace
} // namespace hoplot
