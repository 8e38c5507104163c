#include "trace/ui/window_tracing.h"

#include <QListWidget>
#include <QTableView>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <thread>

#include "trace/store_observers.h"
#include "trace/store_recorder.h"
#include "trace/ui/output_window.h"
#include "trace/ui/trace_list_window.h"

namespace hoplot {
namespace {

using strings = std::vector<std::string>;
using namespace std::chrono_literals;

constexpr const char* router = "192.0.2.1";
constexpr const char* destination = "192.0.2.9";

// TTL 1 reaches the router, every later TTL the destination, at once; or nobody ever answers.
class instant_prober : public prober {
  public:
    explicit instant_prober(bool silent) : silent_(silent) {}
    bool send(ipv4_address, int ttl, std::uint16_t sequence) override {
        if (!silent_)
            replies_.push_back(
                {sequence, *parse_ipv4(ttl == 1 ? router : destination), probe_clock::now()});
        return true;
    }
    std::optional<probe_reply> receive(std::chrono::milliseconds wait) override {
        if (replies_.empty()) {
            std::this_thread::sleep_for(wait);
            return std::nullopt;
        }
        const probe_reply reply = replies_.front();
        replies_.pop_front();
        return reply;
    }

  private:
    bool silent_;
    std::deque<probe_reply> replies_;
};

class named_lookup : public hop_lookup {
  public:
    forward_result resolve_host(const std::string& name) override {
        if (name.ends_with(".example")) return {destination, {}};
        return {std::nullopt, "Name or service not known"};
    }
    std::optional<std::string> reverse_lookup(const std::string& dotted) override {
        if (dotted == router) return "router.example";
        return std::nullopt;
    }
    resolution locate(std::string&, const std::string& address) override {
        if (address == router) return {"Router Town", {100, 200}, 0, location_source::cache};
        return {"Far Town", {900, 400}, 0, location_source::cache};
    }
};

struct window_tracing_test : testing::store_test, trace_controls {
    output_window output;
    trace_list_window list{store, [this] { return tracing.running(); }};
    store_observers windows;
    strings controls;
    bool silent = false;
    window_tracing tracing{
        store, *this,
        engine_parts{[this] {
                         return prober_opening{std::make_unique<instant_prober>(silent), {}};
                     },
                     std::make_shared<named_lookup>(), probe_settings{}}};

    window_tracing_test() {
        windows.add(seen);
        windows.add(output);
        windows.add(list);
        store.set_observer(&windows);
    }

    void set_status_text(const std::string& text) override { controls.push_back(text); }
    void trace_started() override {
        output.output_cleared();
        controls.push_back("started");
    }
    void trace_ended() override {
        controls.push_back(tracing.running() ? "ended while running" : "ended");
    }

    bool run(const std::string& to) {
        tracing.start(to);
        EXPECT_TRUE(tracing.running());
        return QTest::qWaitFor([&] { return !tracing.running(); }, 5000);
    }
    strings first_cells() const {
        strings cells;
        for (int row = 0; row < output.line_count(); ++row)
            cells.push_back(output.table()->model()->index(row, 0).data().toString().toStdString());
        return cells;
    }
};

TEST_F(window_tracing_test, a_whole_trace_arrives_live_in_the_windows) {
    ASSERT_TRUE(run("far.example"));
    EXPECT_EQ(controls, (strings{"Tracing", "started", "Ready", "ended"}));
    EXPECT_EQ(first_cells(), (strings{"router.example", destination, done_text}));
    ASSERT_EQ(list.list()->count(), 1);
    EXPECT_EQ(list.list()->item(0)->text(), "far.example");
    EXPECT_TRUE(list.list()->item(0)->isSelected());
    EXPECT_EQ(seen.only({"line"}), strings{"line 100,200 900,400"});
    EXPECT_FALSE(store.traces_saved());

    // A second trace starts with an empty output window; one that cannot resolve stores nothing.
    controls.clear();
    ASSERT_TRUE(run("nowhere"));
    EXPECT_EQ(first_cells(), strings{"Can't resolve IP name"});
    EXPECT_EQ(controls, (strings{"Tracing", "started", "Ready", "ended"}));
    EXPECT_EQ(store.trace_count(), 1);
}

TEST_F(window_tracing_test, a_stopped_trace_ends_without_done) {
    silent = true;
    tracing.start("far.example");
    QTest::qWait(50);
    EXPECT_TRUE(tracing.running());
    tracing.stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tracing.running(); }, 2000));
    EXPECT_EQ(controls.back(), "ended");
    for (const std::string& line : first_cells())
        EXPECT_NE(line, done_text);
    EXPECT_EQ(store.trace_count(), 0);
}

} // namespace
} // namespace hoplot
