#include "trace/trace_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <numeric>
#include <random>
#include <thread>
#include <vector>

namespace hoplot {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using calls_t = std::vector<std::string>;
struct scripted_answer {
    std::string from;
    int after_ms = 1;
    int lost = 0; // this many first probes of the TTL go unanswered
};
using script = std::map<int, scripted_answer>; // by TTL

constexpr const char* destination_address = "192.0.2.9";
constexpr const char* destination_address6 = "2001:db8::9";

// Answers by TTL after a scripted delay, except the first probes the script loses; a TTL not
// in the script stays silent. A stranger's reply (an unknown sequence) arrives with every real
// one. The TTLs sent are read only after the trace ended, which the sink's lock orders after
// the sends.
class scripted_prober : public prober {
  public:
    scripted_prober(script answers, std::vector<int>& sent) : answers_(answers), sent_(sent) {}

    std::optional<probe_clock::time_point> send(const ip_address& to, int ttl,
                                                std::uint16_t sequence) override {
        sent_.push_back(ttl);
        EXPECT_TRUE(to == *parse_ip(destination_address) || to == *parse_ip(destination_address6));
        const auto now = probe_clock::now();
        const auto found = answers_.find(ttl);
        if (found == answers_.end() ||
            std::count(sent_.begin(), sent_.end(), ttl) <= found->second.lost)
            return now;
        const auto due = now + milliseconds(found->second.after_ms);
        const auto from = *parse_ip(found->second.from);
        pending_.push_back({static_cast<std::uint16_t>(sequence + 7919), from, due});
        pending_.push_back({sequence, from, due});
        return now;
    }

    std::optional<probe_reply> receive(std::chrono::microseconds wait) override {
        const auto deadline = probe_clock::now() + wait;
        const auto first = std::min_element(pending_.begin(), pending_.end(),
                                            [](auto& a, auto& b) { return a.at < b.at; });
        if (first == pending_.end() || first->at > deadline) {
            std::this_thread::sleep_until(deadline);
            return std::nullopt;
        }
        std::this_thread::sleep_until(first->at);
        const probe_reply reply = *first;
        pending_.erase(first);
        return reply;
    }

  private:
    script answers_;
    std::vector<int>& sent_;
    std::vector<probe_reply> pending_;
};

// Sleeps, as a slow name server makes a look-up wait, unless stopped first; false then.
bool wait_unless_stopped(milliseconds delay, const std::stop_token& stop) {
    std::mutex mutex;
    std::condition_variable_any never;
    std::unique_lock lock(mutex);
    return !never.wait_for(lock, stop, delay, [] { return false; }) && !stop.stop_requested();
}

// A destination with both families (IPv4 first), two that lead nowhere and one whose name
// server takes 5 s; names from a table, each after its own delay; every hop is placed nowhere.
// Counts the look-ups running, and those that start once the engine is said to be gone.
class scripted_lookup : public hop_lookup {
  public:
    std::map<std::string, std::pair<std::string, int>> names; // address -> name, delay ms
    std::atomic<int> running = 0;
    std::atomic<bool> engine_gone = false;
    std::atomic<int> started_after_gone = 0;

    forward_result resolve_host(const std::string& name, address_family family,
                                const std::stop_token& stop) override {
        const running_call call(*this);
        if (name == "slow.example" && !wait_unless_stopped(5s, stop)) return {std::nullopt, ""};
        if (name == "far.example" || name == "slow.example")
            return {family == address_family::ipv6 ? destination_address6 : destination_address,
                    {}};
        if (name == "zero.example") return {"0.1.2.3", {}};
        if (name == "unspecified.example") return {"::", {}};
        return {std::nullopt, "Name or service not known"};
    }
    std::optional<std::string> reverse_lookup(const std::string& dotted,
                                              const std::stop_token& stop) override {
        const running_call call(*this);
        const auto found = names.find(dotted);
        if (found == names.end()) return std::nullopt;
        if (!wait_unless_stopped(milliseconds(found->second.second), stop)) return std::nullopt;
        return found->second.first;
    }
    resolution locate(std::string&, const std::string&, const location_sources&,
                      const std::stop_token&) override {
        const running_call call(*this);
        return {};
    }

  private:
    struct running_call {
        explicit running_call(scripted_lookup& lookup) : lookup_(lookup) {
            ++lookup_.running;
            if (lookup_.engine_gone) ++lookup_.started_after_gone;
        }
        ~running_call() { --lookup_.running; }
        scripted_lookup& lookup_;
    };
};

// Every call as one line of text, in order. Every hop's time must read "%4dms" and show its
// round trip.
class recording_sink : public trace_sink {
  public:
    calls_t calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    bool wait_for(const std::string& call, milliseconds limit = 3s) {
        std::unique_lock lock(mutex_);
        return added_.wait_for(lock, limit, [&] {
            return std::find(calls_.begin(), calls_.end(), call) != calls_.end();
        });
    }

    void handle(const trace_event& event) override {
        std::visit([this](const auto& e) { add(text_of(e)); }, event);
    }

  private:
    static std::string text_of(const trace_events::begin& e) { return "begin " + e.destination; }
    static std::string text_of(const trace_events::started&) { return "started"; }
    static std::string text_of(const trace_events::status& e) { return "status " + e.text; }
    static std::string text_of(const trace_events::line& e) {
        return "line " + e.text + " " + std::to_string(e.colour);
    }
    static std::string text_of(const trace_events::first_answer& e) {
        return "first " + e.destination;
    }
    static std::string text_of(const traced_hop& hop) {
        EXPECT_TRUE(hop.row.rtt);
        char time[16];
        std::snprintf(
            time, sizeof time, "%4dms",
            static_cast<int>(hop.row.rtt.value_or(std::chrono::microseconds{}).count() / 1000));
        EXPECT_EQ(hop.row.time, time);
        return "hop " + hop.row.name + "|" + hop.row.address + "|" + std::to_string(hop.row.colour);
    }
    static std::string text_of(const trace_events::status_row& e) {
        return "row " + e.text + std::to_string(e.colour);
    }
    static std::string text_of(const trace_events::traces_changed&) { return "changed"; }
    static std::string text_of(const trace_events::end&) { return "end"; }
    static std::string text_of(const trace_events::ended&) { return "ended"; }

    void add(const std::string& call) {
        {
            std::lock_guard lock(mutex_);
            calls_.push_back(call);
        }
        added_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable added_;
    calls_t calls_;
};

const std::string timed_out_row = std::string("row ") + timed_out_text + std::to_string(red);
const std::string done_row = std::string("row ") + done_text + std::to_string(blue);
const calls_t frame = {"begin far.example", "status Tracing", "started"};

// The calls of a trace that ran to its end, with the given calls between start and "Done".
calls_t finished(const calls_t& middle) {
    calls_t calls = frame;
    calls.insert(calls.end(), middle.begin(), middle.end());
    calls.insert(calls.end(), {done_row, "status Ready", "end", "ended"});
    return calls;
}

template <typename T> std::vector<T> twice(std::vector<T> items) {
    items.reserve(items.size() * 2);
    std::copy_n(items.begin(), items.size(), std::back_inserter(items));
    return items;
}

struct engine_fixture {
    std::shared_ptr<scripted_lookup> lookup = std::make_shared<scripted_lookup>();
    std::vector<int> sent;
    recording_sink sink;

    engine_parts parts(script answers, probe_settings settings = {}) {
        return {[this, answers](const ip_address&) {
                    return prober_opening{std::make_unique<scripted_prober>(answers, sent), {}};
                },
                lookup, settings};
    }
};

TEST(trace_engine, reports_hops_in_ttl_order_whatever_order_answers_and_names_come_in) {
    engine_fixture f;
    // r1's name comes last; r2 is silent; TTL 5 reaches the destination too, a duplicate.
    f.lookup->names = {{"10.0.0.1", {"r1.example", 80}}, {"10.0.0.3", {"r3.example", 0}}};
    trace_engine engine(f.sink, f.parts({{1, {"10.0.0.1", 10}},
                                         {3, {"10.0.0.3", 20}},
                                         {4, {destination_address, 25}},
                                         {5, {destination_address, 30}}}));
    const auto started = probe_clock::now();
    engine.start_trace("far.example");
    ASSERT_TRUE(f.sink.wait_for("ended"));
    // The silent r2 waited ten times r3's round trip (200 ms), not 100 times nor the time-out.
    EXPECT_LT(probe_clock::now() - started, 1000ms);
    engine.join();
    // Without a name the dotted address stands in; hops are black.
    EXPECT_EQ(f.sink.calls(),
              finished({"changed", "first far.example", "hop r1.example|10.0.0.1|0", timed_out_row,
                        "hop r3.example|10.0.0.3|0", "hop 192.0.2.9|192.0.2.9|0"}));
}

TEST(trace_engine, probes_lost_ones_again_and_ends_at_the_destination_s_true_ttl) {
    engine_fixture f;
    // TTL 2 loses its first probe, TTL 3 (the destination) its first two; TTL 4 reaches it too.
    trace_engine engine(f.sink, f.parts({{1, {"10.0.0.1", 5}},
                                         {2, {"10.0.0.2", 10, 1}},
                                         {3, {destination_address, 20, 2}},
                                         {4, {destination_address, 20}}}));
    engine.start_trace("far.example");
    engine.join();
    EXPECT_EQ(f.sink.calls(), finished({"changed", "first far.example", "hop 10.0.0.1|10.0.0.1|0",
                                        "hop 10.0.0.2|10.0.0.2|0", "hop 192.0.2.9|192.0.2.9|0"}));
    std::vector<long> probes;
    for (const int ttl : {1, 2, 3})
        probes.push_back(std::count(f.sent.begin(), f.sent.end(), ttl));
    EXPECT_EQ(probes, (std::vector<long>{1, 2, 3}));
}

TEST(trace_engine, traces_the_chosen_family_with_ipv6_addresses_in_their_short_form) {
    engine_fixture f;
    f.lookup->names = {{"2001:db8::1", {"r1.example", 0}}};
    trace_engine engine(f.sink, f.parts({{1, {"2001:0db8:0:0::1", 1}},
                                         {2, {"2001:db8:0:0:1:0:0:2", 1}},
                                         {3, {destination_address6, 1}}}));
    engine.start_trace("far.example", address_family::ipv6);
    engine.join();
    EXPECT_EQ(
        f.sink.calls(),
        finished({"changed", "first far.example", "hop r1.example|2001:db8::1|0",
                  "hop 2001:db8::1:0:0:2|2001:db8::1:0:0:2|0", "hop 2001:db8::9|2001:db8::9|0"}));
}

TEST(trace_engine, traces_one_after_another_sending_what_the_window_allows) {
    calls_t unreachable = {"changed", timed_out_row, "first far.example",
                           "hop 10.0.0.2|10.0.0.2|0"};
    unreachable.insert(unreachable.end(), 27, timed_out_row);
    std::vector<int> every_ttl_and_1_twice(29);
    std::iota(every_ttl_and_1_twice.begin(), every_ttl_and_1_twice.end(), 1);
    every_ttl_and_1_twice.insert(every_ttl_and_1_twice.end(), {1, 1});
    const struct {
        script answers;
        probe_settings settings;
        calls_t middle;
        std::vector<int> sent;
    } cases[] = {
        // Nothing but TTL 2 answers: every TTL gets its line, then "Done"; TTL 1, below an
        // answer, is probed three times.
        {{{2, {"10.0.0.2", 20}}}, {.timeout = 150ms}, unreachable, every_ttl_and_1_twice},
        // One probe at a time: TTL 3 is never sent once TTL 2 reached the destination.
        {{{1, {"10.0.0.1", 1}}, {2, {destination_address, 1}}, {3, {destination_address, 1}}},
         {.window = 1},
         {"changed", "first far.example", "hop 10.0.0.1|10.0.0.1|0", "hop 192.0.2.9|192.0.2.9|0"},
         {1, 2}},
    };
    for (const auto& c : cases) {
        engine_fixture f;
        trace_engine engine(f.sink, f.parts(c.answers, c.settings));
        for (int run = 0; run < 2; ++run) {
            engine.start_trace("far.example");
            engine.join();
        }
        EXPECT_EQ(f.sink.calls(), twice(finished(c.middle)));
        // Retries go out between first probes: which were sent, not in what order.
        std::sort(f.sent.begin(), f.sent.end());
        auto sent = twice(c.sent);
        std::sort(sent.begin(), sent.end());
        EXPECT_EQ(f.sent, sent);
    }
}

TEST(trace_engine, stop_ends_the_trace_within_100_ms_without_done_even_during_slow_lookups) {
    engine_fixture f;
    f.lookup->names = {{"10.0.0.1", {"r1.example", 0}}, {"10.0.0.2", {"r2.example", 1500}}};
    trace_engine engine(f.sink, f.parts({{1, {"10.0.0.1", 1}}, {2, {"10.0.0.2", 1}}}));
    engine.start_trace("far.example");
    ASSERT_TRUE(f.sink.wait_for("hop r1.example|10.0.0.1|0"));
    const auto stop_at = probe_clock::now();
    engine.stop_trace();
    ASSERT_TRUE(f.sink.wait_for("ended"));
    EXPECT_LE(probe_clock::now() - stop_at, 100ms);
    EXPECT_FALSE(engine.running());
    const calls_t calls = f.sink.calls();
    EXPECT_EQ(calls_t(calls.end() - 4, calls.end()),
              (calls_t{"hop r1.example|10.0.0.1|0", "status Ready", "end", "ended"}));
}

// The destination's name look-up cannot be interrupted: it is left to answer unwaited for.
TEST(trace_engine, a_stop_during_a_slow_destination_look_up_ends_the_trace_and_the_engine_at_once) {
    engine_fixture f;
    auto engine = std::make_unique<trace_engine>(f.sink, f.parts({{1, {destination_address, 1}}}));
    engine->start_trace("slow.example");
    ASSERT_TRUE(f.sink.wait_for("started"));
    std::this_thread::sleep_for(50ms);
    const auto stop_at = probe_clock::now();
    engine->stop_trace();
    ASSERT_TRUE(f.sink.wait_for("ended"));
    EXPECT_LE(probe_clock::now() - stop_at, 100ms);
    engine.reset();
    EXPECT_LE(probe_clock::now() - stop_at, 300ms);
    EXPECT_EQ(f.sink.calls(),
              (calls_t{"begin slow.example", frame[1], frame[2], "status Ready", "ended"}));
    EXPECT_TRUE(f.sent.empty());
}

// Stopped at any moment, a hundred times over: the engine waits for every look-up it started,
// each of which gives up at once, and starts none afterwards.
TEST(trace_engine, no_look_up_runs_once_the_engine_is_gone) {
    std::mt19937 random(20);
    for (int round = 0; round < 100; ++round) {
        engine_fixture f;
        for (const char* address : {"10.0.0.1", "10.0.0.2", "10.0.0.3", destination_address})
            f.lookup->names[address] = {"named.example", 40};
        auto engine =
            std::make_unique<trace_engine>(f.sink, f.parts({{1, {"10.0.0.1", 1}},
                                                            {2, {"10.0.0.2", 2}},
                                                            {3, {"10.0.0.3", 3}},
                                                            {4, {destination_address, 4}}}));
        engine->start_trace(round % 10 == 0 ? "slow.example" : "far.example");
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        const auto stop_at = probe_clock::now();
        engine.reset();
        EXPECT_LE(probe_clock::now() - stop_at, 100ms) << round;
        f.lookup->engine_gone = true;
        EXPECT_EQ(f.lookup->running, 0) << round;
        const calls_t calls = f.sink.calls();
        EXPECT_EQ(calls.back(), "ended") << round;
    }
}

TEST(trace_engine, failures_before_probing_make_no_trace) {
    const struct {
        const char* destination;
        const char* socket_error;
        std::string line;
    } cases[] = {
        {"nowhere.example", nullptr, "line Can't resolve IP name 255"},
        {"zero.example", nullptr, "line Can't resolve IP name 255"},
        {"unspecified.example", nullptr, "line Can't resolve IP name 255"},
        {"far.example", "Can't open ICMP socket: test", "line Can't open ICMP socket: test 255"},
    };
    for (const auto& c : cases) {
        engine_fixture f;
        engine_parts parts = f.parts({{1, {destination_address, 1}}});
        if (c.socket_error)
            parts.open_prober = [&c](const ip_address&) {
                return prober_opening{nullptr, c.socket_error};
            };
        trace_engine engine(f.sink, std::move(parts));
        engine.start_trace(c.destination);
        engine.join();
        EXPECT_EQ(f.sink.calls(), (calls_t{std::string("begin ") + c.destination, frame[1],
                                           frame[2], c.line, "status Ready", "ended"}))
            << c.destination;
        EXPECT_TRUE(f.sent.empty());
    }
}

} // namespace
} // namespace hoplot
