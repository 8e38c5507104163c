#include "trace/trace_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace hoplot {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

constexpr const char* destination_name = "far.example";
constexpr const char* destination_address = "192.0.2.9";

// Answers by TTL after a scripted delay; a TTL without an entry stays silent. Also lets a
// stranger's reply (an unknown sequence) arrive before every real one.
class scripted_prober : public prober {
  public:
    struct record {
        std::mutex mutex;
        std::vector<int> sent_ttls;
    };

    scripted_prober(std::map<int, std::pair<std::string, int>> answers,
                    std::shared_ptr<record> sent)
        : answers_(std::move(answers)), record_(std::move(sent)) {}

    bool send(ipv4_address, int ttl, std::uint16_t sequence) override {
        {
            std::lock_guard lock(record_->mutex);
            record_->sent_ttls.push_back(ttl);
        }
        if (const auto found = answers_.find(ttl); found != answers_.end()) {
            const auto due = probe_clock::now() + milliseconds(found->second.second);
            const auto from = *parse_ipv4(found->second.first);
            pending_.push_back({static_cast<std::uint16_t>(sequence + 7919), from, due});
            pending_.push_back({sequence, from, due});
        }
        return true;
    }

    std::optional<probe_reply> receive(milliseconds wait) override {
        const auto deadline = probe_clock::now() + wait;
        auto earliest = pending_.end();
        for (auto it = pending_.begin(); it != pending_.end(); ++it)
            if (earliest == pending_.end() || it->at < earliest->at) earliest = it;
        if (earliest == pending_.end() || earliest->at > deadline) {
            std::this_thread::sleep_until(deadline);
            return std::nullopt;
        }
        std::this_thread::sleep_until(earliest->at);
        const probe_reply reply = *earliest;
        pending_.erase(earliest);
        return reply;
    }

  private:
    std::map<int, std::pair<std::string, int>> answers_;
    std::shared_ptr<record> record_;
    std::vector<probe_reply> pending_;
};

// Names from a table, each after its own delay; every hop is placed nowhere.
class scripted_lookup : public hop_lookup {
  public:
    std::map<std::string, std::string> addresses{{destination_name, destination_address}};
    std::map<std::string, std::pair<std::string, int>> names; // address -> name, delay ms

    forward_result resolve_host(const std::string& name) override {
        if (const auto found = addresses.find(name); found != addresses.end())
            return {found->second, {}};
        return {std::nullopt, "Name or service not known"};
    }
    std::optional<std::string> reverse_lookup(const std::string& dotted) override {
        const auto found = names.find(dotted);
        if (found == names.end()) return std::nullopt;
        std::this_thread::sleep_for(milliseconds(found->second.second));
        return found->second.first;
    }
    resolution locate(std::string&, const std::string&) override { return {}; }
};

// Every call as one line of text, in order, with a wait for the end of the trace.
class recording_sink : public trace_sink {
  public:
    std::vector<std::string> calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    bool wait_for_end(milliseconds limit) {
        std::unique_lock lock(mutex_);
        return ended_.wait_for(lock, limit, [this] { return ended_count_ > 0; });
    }
    void wait_for_call(const std::string& call) {
        std::unique_lock lock(mutex_);
        ended_.wait(lock,
                    [&] { return std::find(calls_.begin(), calls_.end(), call) != calls_.end(); });
    }

    void begin_trace(const std::string& d) override { add("begin " + d); }
    void trace_started() override { add("started"); }
    void set_status_text(const std::string& text) override { add("status " + text); }
    void add_line(const std::string& text, int colour) override {
        add("line " + text + " " + std::to_string(colour));
    }
    void first_answer(const std::string& d) override { add("first " + d); }
    void add_hop(const traced_hop& hop) override {
        add("hop " + hop.row.name + "|" + hop.row.address + "|" + hop.row.time + "|" +
            std::to_string(hop.row.colour));
    }
    void add_status_row(const std::string& text, int colour) override {
        add("row " + text + std::to_string(colour));
    }
    void traces_changed() override { add("changed"); }
    void end_trace() override { add("end"); }
    void trace_ended() override { add("ended", 1); }

  private:
    void add(const std::string& call, int ends = 0) {
        {
            std::lock_guard lock(mutex_);
            calls_.push_back(call);
            ended_count_ += ends;
        }
        ended_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable ended_;
    std::vector<std::string> calls_;
    int ended_count_ = 0;
};

const std::string timed_out_row = std::string("row ") + timed_out_text + std::to_string(red);
const std::string done_row = std::string("row ") + done_text + std::to_string(blue);

struct engine_fixture {
    std::shared_ptr<scripted_lookup> lookup = std::make_shared<scripted_lookup>();
    std::shared_ptr<scripted_prober::record> sent = std::make_shared<scripted_prober::record>();
    recording_sink sink;

    engine_parts parts(std::map<int, std::pair<std::string, int>> answers,
                       probe_settings settings = {}) {
        auto record = sent;
        return {[answers, record] {
                    return prober_opening{std::make_unique<scripted_prober>(answers, record), {}};
                },
                lookup, settings};
    }
};

std::vector<std::string> with_frame(std::vector<std::string> middle) {
    std::vector<std::string> calls = {"begin far.example", "status Tracing", "started"};
    calls.insert(calls.end(), middle.begin(), middle.end());
    return calls;
}

TEST(trace_engine, reports_hops_in_ttl_order_whatever_order_answers_and_names_come_in) {
    engine_fixture f;
    // r1's name comes last; r2 is silent; TTL 5 reaches the destination too, a duplicate.
    f.lookup->names = {{"10.0.0.1", {"r1.example", 80}}, {"10.0.0.3", {"r3.example", 0}}};
    trace_engine engine(f.sink, f.parts({{1, {"10.0.0.1", 10}},
                                         {3, {"10.0.0.3", 20}},
                                         {4, {destination_address, 25}},
                                         {5, {destination_address, 30}}}));
    const auto started = probe_clock::now();
    engine.start_trace(destination_name);
    ASSERT_TRUE(f.sink.wait_for_end(3s));
    const auto took = probe_clock::now() - started;
    engine.join();

    const auto calls = f.sink.calls();
    ASSERT_EQ(calls.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 5),
              with_frame({"changed", "first far.example"}));
    EXPECT_TRUE(calls[5].starts_with("hop r1.example|10.0.0.1|")) << calls[5];
    EXPECT_EQ(calls[6], timed_out_row);
    EXPECT_TRUE(calls[7].starts_with("hop r3.example|10.0.0.3|")) << calls[7];
    // No name: the dotted address stands in.
    EXPECT_TRUE(calls[8].starts_with("hop 192.0.2.9|192.0.2.9|")) << calls[8];
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 9, calls.end()),
              (std::vector<std::string>{done_row, "status Ready", "end", "ended"}));
    for (int i : {5, 7, 8}) {
        const std::string time = calls[i].substr(calls[i].size() - 8, 6);
        EXPECT_EQ(time.size(), 6u);
        EXPECT_EQ(time.substr(4), "ms") << calls[i];
        EXPECT_TRUE(calls[i].ends_with("|0")) << "hops are black: " << calls[i];
    }
    // The silent r2 waited ten times r3's round trip, not the 5000 ms time-out.
    EXPECT_LT(took, 2500ms);
}

TEST(trace_engine, unreachable_destination_gives_every_probe_line_and_done) {
    engine_fixture f;
    probe_settings quick;
    quick.timeout = 150ms;
    trace_engine engine(f.sink, f.parts({{2, {"10.0.0.2", 1}}}, quick));
    engine.start_trace(destination_name);
    ASSERT_TRUE(f.sink.wait_for_end(3s));
    const auto calls = f.sink.calls();
    ASSERT_EQ(calls.size(), 3u + 1 + 29 + 1 + 4);
    EXPECT_EQ(calls[3], "changed");
    EXPECT_EQ(calls[4], timed_out_row);
    EXPECT_EQ(calls[5], "first far.example");
    EXPECT_TRUE(calls[6].starts_with("hop 10.0.0.2|10.0.0.2|")) << calls[6];
    for (std::size_t i = 7; i < 34; ++i)
        EXPECT_EQ(calls[i], timed_out_row) << i;
    EXPECT_EQ(calls[34], done_row);
    std::lock_guard lock(f.sent->mutex);
    EXPECT_EQ(f.sent->sent_ttls.size(), 29u);
}

TEST(trace_engine, window_of_one_sends_each_ttl_after_the_previous_settled) {
    engine_fixture f;
    probe_settings one;
    one.window = 1;
    trace_engine engine(f.sink, f.parts({{1, {"10.0.0.1", 1}},
                                         {2, {destination_address, 1}},
                                         {3, {destination_address, 1}}},
                                        one));
    engine.start_trace(destination_name);
    ASSERT_TRUE(f.sink.wait_for_end(3s));
    std::lock_guard lock(f.sent->mutex);
    EXPECT_EQ(f.sent->sent_ttls, (std::vector<int>{1, 2}));
}

TEST(trace_engine, stop_ends_the_trace_quickly_without_done_even_during_slow_lookups) {
    engine_fixture f;
    f.lookup->names = {{"10.0.0.1", {"r1.example", 0}}, {"10.0.0.2", {"r2.example", 1500}}};
    trace_engine engine(f.sink, f.parts({{1, {"10.0.0.1", 1}}, {2, {"10.0.0.2", 1}}}));
    engine.start_trace(destination_name);
    f.sink.wait_for_call("first far.example");
    const auto stop_at = probe_clock::now();
    engine.stop_trace();
    ASSERT_TRUE(f.sink.wait_for_end(3s));
    EXPECT_LE(probe_clock::now() - stop_at, 100ms);
    EXPECT_FALSE(engine.running());

    const auto calls = f.sink.calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_TRUE(calls[calls.size() - 4].starts_with("hop r1.example|"));
    EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()),
              (std::vector<std::string>{"status Ready", "end", "ended"}));
    EXPECT_EQ(std::count(calls.begin(), calls.end(), done_row), 0);
}

TEST(trace_engine, failures_before_probing_make_no_trace) {
    const struct {
        const char* destination;
        const char* resolves_to;
        bool socket_opens;
        std::string line;
    } cases[] = {
        {"nowhere.example", nullptr, true, "line Can't resolve IP name 255"},
        {"zero.example", "0.1.2.3", true, "line Can't resolve IP name 255"},
        {"far.example", destination_address, false, "line Can't open ICMP socket: test 255"},
    };
    for (const auto& c : cases) {
        engine_fixture f;
        if (c.resolves_to) f.lookup->addresses[c.destination] = c.resolves_to;
        engine_parts parts = f.parts({{1, {destination_address, 1}}});
        if (!c.socket_opens)
            parts.open_prober = [] {
                return prober_opening{nullptr, "Can't open ICMP socket: test"};
            };
        trace_engine engine(f.sink, std::move(parts));
        engine.start_trace(c.destination);
        ASSERT_TRUE(f.sink.wait_for_end(3s));
        const std::vector<std::string> expected = {std::string("begin ") + c.destination,
                                                   "status Tracing",
                                                   "started",
                                                   c.line,
                                                   "status Ready",
                                                   "ended"};
        EXPECT_EQ(f.sink.calls(), expected) << c.destination;
        std::lock_guard lock(f.sent->mutex);
        EXPECT_TRUE(f.sent->sent_ttls.empty());
    }
}

TEST(trace_engine, traces_one_after_another_each_report_their_own_hops) {
    engine_fixture f;
    trace_engine engine(f.sink, f.parts({{1, {destination_address, 1}}}));
    for (int run = 0; run < 3; ++run) {
        engine.start_trace(destination_name);
        engine.join();
    }
    const auto calls = f.sink.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), done_row), 3);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "first far.example"), 3);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& c) { return c.starts_with("hop "); }),
              3);
}

} // namespace
} // namespace hoplot
