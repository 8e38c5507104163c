#include "trace/probe_schedule.h"

#include <gtest/gtest.h>

namespace hoplot {
namespace {

using std::chrono::milliseconds;

const ip_address destination = *parse_ipv4("192.0.2.9");
const ip_address router = *parse_ipv4("198.51.100.1");
const probe_clock::time_point start{};

// Sends every TTL the window allows at `at`, sequence = 100 + TTL.
void send_all(probe_schedule& schedule, probe_clock::time_point at = start) {
    while (const auto ttl = schedule.next_to_send())
        schedule.sent(*ttl, static_cast<std::uint16_t>(100 + *ttl), at);
}

probe_reply reply(int ttl, ip_address from, milliseconds after) {
    return {static_cast<std::uint16_t>(100 + ttl), from, start + after};
}

TEST(near_wait, is_ten_round_trips_within_ten_ms_and_the_time_out) {
    const std::pair<int, int> cases[] = {{0, 10},     {1, 10},     {3, 30},    {120, 1200},
                                         {499, 4990}, {500, 5000}, {900, 5000}}; // rtt, wait
    for (const auto& [rtt, wait] : cases)
        EXPECT_EQ(near_wait(milliseconds(rtt), milliseconds(5000)), milliseconds(wait)) << rtt;
}

TEST(probe_schedule, silent_probe_waits_ten_times_the_nearest_higher_answer) {
    probe_schedule schedule({}, destination);
    send_all(schedule);
    schedule.answered(reply(3, router, milliseconds(4)));
    schedule.answered(reply(5, router, milliseconds(40))); // farther away: not the one that counts

    schedule.expire(start + milliseconds(39));
    EXPECT_EQ(schedule.slot(2).state, probe_state::waiting);
    schedule.expire(start + milliseconds(40));
    EXPECT_EQ(schedule.slot(2).state, probe_state::timed_out);
    // TTL 4 goes by TTL 5's answer; above the highest answer the full time-out applies.
    EXPECT_EQ(schedule.next_deadline(), start + milliseconds(400));
    schedule.expire(start + milliseconds(400));
    EXPECT_EQ(schedule.slot(6).state, probe_state::waiting);
    EXPECT_EQ(schedule.next_deadline(), start + milliseconds(5000));
    schedule.expire(start + milliseconds(5000));
    EXPECT_EQ(schedule.slot(29).state, probe_state::timed_out);
    EXPECT_FALSE(schedule.next_deadline());
}

TEST(probe_schedule, destination_answer_ends_the_needed_ttls) {
    probe_schedule schedule({}, destination);
    send_all(schedule);
    EXPECT_EQ(schedule.answered(reply(6, destination, milliseconds(2))), 6);
    EXPECT_EQ(schedule.last_needed(), 6);
    // Later TTLs reach the destination too: duplicates, ignored.
    EXPECT_FALSE(schedule.answered(reply(7, destination, milliseconds(2))));
    // An earlier TTL that also reached it moves the end down.
    EXPECT_EQ(schedule.answered(reply(4, destination, milliseconds(3))), 4);
    EXPECT_EQ(schedule.last_needed(), 4);
    EXPECT_TRUE(schedule.reached());
}

TEST(probe_schedule, window_limits_probes_in_flight_and_takes_only_awaited_answers) {
    probe_schedule schedule({.window = 2}, destination);
    send_all(schedule);
    EXPECT_FALSE(schedule.answered({999, router, start}));              // not our sequence
    EXPECT_FALSE(schedule.answered(reply(3, router, milliseconds(1)))); // not sent yet
    EXPECT_EQ(schedule.answered(reply(1, router, milliseconds(7))), 1);
    EXPECT_EQ(schedule.slot(1).rtt, milliseconds(7));
    EXPECT_FALSE(schedule.answered(reply(1, destination, milliseconds(8)))); // answered already
    EXPECT_EQ(schedule.slot(1).from, router);
    EXPECT_EQ(schedule.next_to_send(), 3);
    schedule.failed(3);
    EXPECT_EQ(schedule.next_to_send(), 4);
    schedule.sent(4, 104, start);
    EXPECT_FALSE(schedule.next_to_send());
    schedule.expire(start + milliseconds(5000));
    EXPECT_FALSE(schedule.answered(reply(4, router, milliseconds(5001)))); // timed out already
}

} // namespace
} // namespace hoplot
