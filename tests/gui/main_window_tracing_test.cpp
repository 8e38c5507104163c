#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

#include "app/ui/main_window.h"
#include "base/settings.h"
#include "gui/answer_next.h"
#include "gui/answer_rotation_dialog.h"
#include "gui/find_widget.h"
#include "gui/scripted_engine.h"
#include "trace/ui/destination_dialog.h"
#include "trace/ui/output_window.h"
#include "trace/ui/trace_list_window.h"
#include "trace/ui/window_tracing.h"

namespace hoplot {
namespace {

TEST(main_window_tracing, a_trace_started_from_the_menu_fills_the_window_and_quitting_asks) {
    main_window window(settings{}, {}, nullptr, nullptr, testing::scripted_engine_parts());
    window.resize(900, 700);
    window.show();
    const auto enabled = [&](const QString& label) {
        return find_action(window, label)->isEnabled();
    };

    answer_next<destination_dialog>([](destination_dialog& dialog) {
        dialog.combo()->setEditText("http://far.example/index.html");
        dialog.accept();
    });
    window.run_command(command_id::start_trace);
    EXPECT_FALSE(enabled("&Start Trace"));
    EXPECT_TRUE(enabled("S&top Trace"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.view().trace_running; }));
    EXPECT_TRUE(enabled("&Start Trace"));
    EXPECT_EQ(window.status_text(), "Ready");
    EXPECT_EQ(window.findChild<output_window*>()->line_count(), 3);
    const QListWidgetItem* line = window.findChild<trace_list_window*>()->list()->item(0);
    EXPECT_EQ(line->text(), "far.example");
    EXPECT_TRUE(line->isSelected());
    ASSERT_NE(window.store().current_route(), nullptr);
    EXPECT_EQ(window.store().current_route()->places.size(), 2u);
    window.run_command(command_id::reset_view);
    EXPECT_EQ(window.view().current_route, window.store().current_route()) << "drawn on redraws";

    // A destination that does not resolve says so and stores nothing.
    answer_next<destination_dialog>([](destination_dialog& dialog) {
        dialog.combo()->setEditText("nowhere");
        dialog.accept();
    });
    window.run_command(command_id::start_trace);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.view().trace_running; }));
    EXPECT_EQ(window.findChild<output_window*>()->table()->model()->index(0, 0).data(),
              "Can't resolve IP name");
    EXPECT_EQ(window.store().trace_count(), 1);

    answer_next<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); });
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
}

// Places hops by their DNS LOC record when the trace's sources ask for it; the destination is
// looked up only once released.
class gated_lookup : public testing::example_lookup {
  public:
    void release() {
        {
            std::lock_guard lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
    }
    std::optional<std::string> reverse_lookup(const std::string& address,
                                              const std::stop_token& stop) override {
        if (address == testing::destination) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, stop, [this] { return released_; });
        }
        return example_lookup::reverse_lookup(address, stop);
    }
    resolution locate(std::string& name, const std::string& address,
                      const location_sources& sources, const std::stop_token& stop) override {
        resolution where = example_lookup::locate(name, address, sources, stop);
        if (sources.loc) where.source = location_source::loc;
        return where;
    }

  private:
    std::mutex mutex_;
    std::condition_variable_any changed_;
    bool released_ = false;
};

// "Use RFC 1876" turned off during a trace applies to the next trace, not to the rest of this one.
TEST(main_window_tracing, a_trace_keeps_the_location_options_it_started_with) {
    settings values;
    values.rfc1876 = 1;
    auto lookup = std::make_shared<gated_lookup>();
    engine_parts parts = testing::scripted_engine_parts();
    parts.lookup = lookup;
    main_window window(values, {}, nullptr, nullptr, std::move(parts));
    window.show();
    const auto sources_of = [&](std::size_t trace) {
        std::vector<location_source> sources;
        for (const hop_rec& row : window.store().traces().at(trace).rows)
            if (!row.is_status()) sources.push_back(row.source);
        return sources;
    };

    window.begin({"far.example", ""});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.store().trace_count() == 1; }));
    QAction* loc = find_action(window, "Use &RFC 1876");
    loc->trigger();
    EXPECT_FALSE(loc->isChecked());
    lookup->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.view().trace_running; }));
    EXPECT_EQ(sources_of(0), (std::vector{location_source::loc, location_source::loc}));

    window.begin({"far.example", ""});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.view().trace_running; }));
    EXPECT_EQ(sources_of(1), (std::vector{location_source::cache, location_source::cache}));
    EXPECT_EQ(window.current_settings().rfc1876, 0);
}

// Closing the window at any moment of a trace, a hundred times over: its tracing goes at once,
// and no event it queued reaches the store afterwards.
TEST(main_window_tracing, the_tracing_goes_at_once_and_leaves_nothing_behind) {
    struct counting_observer : store_observer {
        int events = 0;
        void output_line_added(const std::string&, int) override { ++events; }
        void output_hop_added(const hop_rec&) override { ++events; }
        void map_repainted() override { ++events; }
    };
    for (int round = 0; round < 100; ++round) {
        trace_store store([](std::string&, const std::string&) { return resolution{}; });
        counting_observer seen;
        store.add_observer(seen);
        auto tracing = std::make_unique<window_tracing>(store, testing::scripted_engine_parts());
        tracing->start(round % 2 ? "far.example" : "nowhere", address_family::automatic, {});
        QTest::qWait(round % 4);
        const auto closed_at = std::chrono::steady_clock::now();
        tracing.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - closed_at, std::chrono::milliseconds(100));
        const int seen_then = seen.events;
        QCoreApplication::processEvents();
        EXPECT_EQ(seen.events, seen_then) << round;
    }
}

TEST(main_window_tracing, closing_during_a_trace_or_a_rotation_ends_at_once_and_keeps_settings) {
    for (const bool rotating : {false, true}) {
        auto window = std::make_unique<main_window>(
            read_settings(screen_size{900, 700}, ""), map_view{}, nullptr, nullptr,
            testing::scripted_engine_parts<testing::silent_prober>());
        window->show();
        window->run_command(command_id::globe);
        if (rotating) {
            answer_dialog(true);
            window->run_command(command_id::auto_rotation);
        } else {
            window->begin({"far.example", ""});
        }
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return window->view().trace_running || window->view().rotating; }));
        const auto started = std::chrono::steady_clock::now();
        EXPECT_TRUE(window->close());
        window.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));
        EXPECT_EQ(read_settings(screen_size{900, 700}, "").globe_mode, 1) << rotating;
    }
}

} // namespace
} // namespace hoplot
