#include "trace/ui/window_tracing.h"

#include <QListWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

#include "gui/scripted_engine.h"
#include "trace/store_observers.h"
#include "trace/store_recorder.h"
#include "trace/ui/output_window.h"
#include "trace/ui/trace_list_window.h"

namespace hoplot {
namespace {

using strings = std::vector<std::string>;
using testing::destination;

struct window_tracing_test : testing::store_test, trace_controls {
    output_window output;
    trace_list_window list{store, [this] { return tracing.running(); }};
    store_observers windows;
    strings controls;
    bool silent = false;
    window_tracing tracing{store, *this, testing::scripted_engine_parts(&silent)};

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
    void trace_ended() override { controls.push_back(tracing.running() ? "running" : "ended"); }

    bool ended() {
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
    tracing.start("far.example");
    EXPECT_TRUE(tracing.running());
    ASSERT_TRUE(ended());
    EXPECT_EQ(controls, (strings{"Tracing", "started", "Ready", "ended"}));
    EXPECT_EQ(first_cells(), (strings{"router.example", destination, done_text}));
    ASSERT_EQ(list.list()->count(), 1);
    EXPECT_TRUE(list.list()->item(0)->isSelected());
    EXPECT_EQ(seen.only({"line"}), strings{"line 100,200 900,400"});

    // The next trace starts on an empty output window; one that cannot resolve stores nothing.
    tracing.start("nowhere");
    ASSERT_TRUE(ended());
    EXPECT_EQ(first_cells(), strings{"Can't resolve IP name"});
    EXPECT_EQ(store.trace_count(), 1);
}

TEST_F(window_tracing_test, a_stopped_trace_ends_without_done) {
    silent = true;
    tracing.start("far.example");
    QTest::qWait(50);
    tracing.stop();
    ASSERT_TRUE(ended());
    EXPECT_EQ(controls.back(), "ended");
    const strings shown = first_cells();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), done_text), 0);
}

} // namespace
} // namespace hoplot
