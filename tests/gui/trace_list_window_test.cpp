#include "trace/ui/trace_list_window.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

#include "shell/show_message.h"
#include "trace/store_observers.h"
#include "trace/store_recorder.h"

namespace hoplot {
namespace {

using strings = std::vector<std::string>;

struct trace_list_test : testing::store_test {
    bool tracing = false;
    trace_list_window window{store, [this] { return tracing; }};
    store_observers both;
    strings messages;
    message_handler old_handler =
        set_message_handler([this](const std::string& m) { messages.push_back(m); });

    trace_list_test() {
        both.add(seen);
        both.add(window);
        store.set_observer(&both);
        window.resize(200, 226);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~trace_list_test() override { set_message_handler(old_handler); }

    void add_traces(const strings& names) {
        for (const std::string& name : names)
            add_trace(name, testing::hops_at({"192.0.2.1"}));
    }
    strings lines() const {
        strings all;
        for (int row = 0; row < window.list()->count(); ++row)
            all.push_back(window.list()->item(row)->text().toStdString());
        return all;
    }
    int selected() const {
        const auto picked = window.list()->selectedItems();
        return picked.isEmpty() ? -1 : window.list()->row(picked.front());
    }
    void click_line(int row) {
        const QRect at = window.list()->visualItemRect(window.list()->item(row));
        QTest::mouseClick(window.list()->viewport(), Qt::LeftButton, {}, at.center());
    }
    void delete_from_menu(QPoint at) {
        window.list()->customContextMenuRequested(at);
        ASSERT_TRUE(window.menu()->isVisible());
        window.menu()->actions().front()->trigger();
        window.menu()->hide();
    }
};

TEST_F(trace_list_test, a_picked_line_shows_its_trace_but_not_while_a_trace_runs) {
    add_traces({"a.example", "b.example", "c.example"});
    EXPECT_EQ(lines(), (strings{"a.example", "b.example", "c.example"}));
    seen.events.clear();
    click_line(0);
    EXPECT_EQ(store.current_trace(), 0u);
    EXPECT_EQ(std::count(seen.events.begin(), seen.events.end(), "repaint"), 1);

    tracing = true;
    seen.events.clear();
    click_line(1);
    EXPECT_EQ(messages, strings{"Trace currently running"});
    EXPECT_EQ(store.current_trace(), 0u);
    EXPECT_TRUE(seen.events.empty()) << "the map and the output stay as they were";
    EXPECT_EQ(selected(), 1) << "the list keeps the line the user picked";
}

TEST_F(trace_list_test, the_program_s_own_selections_show_nothing_by_themselves) {
    add_traces({"a.example", "b.example"});
    seen.events.clear();
    store.select_trace(0);
    EXPECT_EQ(selected(), 0);
    store.deselect_traces();
    EXPECT_EQ(selected(), -1);
    EXPECT_TRUE(seen.only({"repaint", "output"}).empty());
}

TEST_F(trace_list_test, the_menu_is_for_the_nearest_line_and_not_on_an_empty_list) {
    EXPECT_FALSE(window.menu_line_at(QPoint(5, 5)));
    window.list()->customContextMenuRequested(QPoint(5, 5));
    EXPECT_FALSE(window.menu()->isVisible());

    add_traces({"a.example", "b.example", "c.example"});
    const QRect second = window.list()->visualItemRect(window.list()->item(1));
    EXPECT_EQ(window.menu_line_at(second.center()), 1u);
    EXPECT_EQ(window.menu_line_at(QPoint(second.right() + 50, second.center().y())), 1u);
    EXPECT_EQ(window.menu_line_at(QPoint(5, window.list()->viewport()->height() - 2)), 2u);
    EXPECT_EQ(window.list()->verticalScrollBar()->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(trace_list_test, deleting_a_middle_line_moves_the_rest_up_and_shows_the_last) {
    add_traces({"a.example", "b.example", "c.example"});
    const QRect second = window.list()->visualItemRect(window.list()->item(1));
    delete_from_menu(second.center());
    EXPECT_EQ(lines(), (strings{"a.example", "c.example"}));
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(store.current_trace(), 1u);
    EXPECT_EQ(store.traces()[1].name, "c.example");
}

TEST_F(trace_list_test, deleting_during_a_trace_is_refused) {
    add_traces({"a.example", "b.example"});
    tracing = true;
    delete_from_menu(window.list()->visualItemRect(window.list()->item(0)).center());
    EXPECT_EQ(messages, strings{"Trace currently running"});
    EXPECT_EQ(store.trace_count(), 2);
    EXPECT_EQ(lines().size(), 2u);
}

TEST_F(trace_list_test, a_long_name_can_be_scrolled_into_view) {
    add_traces({std::string(120, 'x') + ".example"});
    QApplication::processEvents();
    EXPECT_GT(window.list()->horizontalScrollBar()->maximum(), 0);
}

} // namespace
} // namespace hoplot
