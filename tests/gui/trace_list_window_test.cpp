#include "trace/ui/trace_list_window.h"

#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

#include "support/message_log.h"
#include "trace/store_recorder.h"

namespace hoplot {
namespace {

using strings = std::vector<std::string>;

struct trace_list_test : testing::store_test, test::message_log {
    bool tracing = false;
    trace_list_window window{store, [this] { return tracing; }};

    trace_list_test() {
        store.add_observer(window);
        window.resize(200, 226);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        for (const char* name : {"a.example", "b.example", "c.example"})
            add_trace(name, testing::hops_at({"192.0.2.1"}));
        seen.events.clear();
    }

    QListWidget& list() const { return *window.list(); }
    QPoint line(int row) const { return list().visualItemRect(list().item(row)).center(); }
    strings lines() const {
        strings all;
        for (int row = 0; row < list().count(); ++row)
            all.push_back(list().item(row)->text().toStdString());
        return all;
    }
    std::vector<int> selected() const {
        std::vector<int> rows;
        for (const QListWidgetItem* item : list().selectedItems())
            rows.push_back(list().row(item));
        return rows;
    }
    int repaints() const { return std::count(seen.events.begin(), seen.events.end(), "repaint"); }
    // Through the window, as the platform delivers it: the press, then the context menu event.
    void right_click(QPoint at) {
        QTest::mouseClick(window.windowHandle(), Qt::RightButton, {},
                          list().viewport()->mapTo(&window, at));
    }
    void delete_from_menu(QPoint at) {
        right_click(at);
        ASSERT_TRUE(window.menu()->isVisible());
        window.menu()->actions().front()->trigger();
        window.menu()->hide();
    }
};

TEST_F(trace_list_test, the_user_s_pick_shows_its_trace_but_not_during_a_trace) {
    store.select_trace(2);
    EXPECT_EQ(repaints(), 0) << "the program's own selection shows nothing by itself";

    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, line(0));
    EXPECT_EQ(store.current_trace(), 0u);
    EXPECT_EQ(repaints(), 1);

    // Refused, the highlight goes back to the trace shown: none before a new trace's first hop.
    tracing = true;
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, line(1));
    QApplication::processEvents();
    EXPECT_EQ(messages, strings{"Trace currently running"});
    EXPECT_EQ(store.current_trace(), 0u);
    EXPECT_EQ(repaints(), 1);
    EXPECT_EQ(selected(), std::vector<int>{0});
    store.begin_trace("d.example");
    QTest::keyClick(&list(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(selected().empty());
}

TEST_F(trace_list_test, show_selected_rebuilds_the_selected_trace_but_not_during_a_trace) {
    window.show_selected();
    store.select_trace(1);
    tracing = true;
    window.show_selected();
    EXPECT_EQ(repaints(), 0) << "nothing selected, then a trace being built";

    tracing = false;
    window.show_selected();
    EXPECT_EQ(store.current_trace(), 1u);
    EXPECT_EQ(repaints(), 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(trace_list_test, the_menu_deletes_the_nearest_line_and_shows_the_last_trace) {
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, line(0));
    right_click(line(2));
    EXPECT_TRUE(window.menu()->isVisible());
    window.menu()->hide();
    EXPECT_EQ(store.current_trace(), 0u) << "the right click shows no other trace";
    EXPECT_EQ(selected(), std::vector<int>{0});

    const QPoint right_of_b(line(1).x() + 150, line(1).y());
    EXPECT_EQ(window.menu_line_at(right_of_b), 1u);
    EXPECT_EQ(window.menu_line_at(QPoint(5, list().viewport()->height() - 2)), 2u);
    EXPECT_EQ(list().verticalScrollBar()->contextMenuPolicy(), Qt::NoContextMenu);

    tracing = true;
    delete_from_menu(line(1));
    EXPECT_EQ(messages, strings{"Trace currently running"});
    EXPECT_EQ(store.trace_count(), 3);

    tracing = false;
    delete_from_menu(line(1));
    EXPECT_EQ(lines(), (strings{"a.example", "c.example"}));
    EXPECT_TRUE(list().item(1)->isSelected());
    EXPECT_EQ(store.current_trace(), 1u);

    store.clear_traces();
    right_click(QPoint(5, 5));
    EXPECT_FALSE(window.menu()->isVisible()) << "no menu on an empty list";
}

TEST_F(trace_list_test, a_long_name_can_be_scrolled_into_view) {
    add_trace(std::string(120, 'x') + ".example", testing::hops_at({"192.0.2.1"}));
    QApplication::processEvents();
    EXPECT_GT(list().horizontalScrollBar()->maximum(), 0);
}

} // namespace
} // namespace hoplot
