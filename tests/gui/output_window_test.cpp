#include "trace/ui/output_window.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "shell/settings.h"
#include "trace/store_observers.h"
#include "trace/store_recorder.h"
#include "trace/ui/elided_cell_delegate.h"

namespace hoplot {
namespace {

using testing::hop;

struct shown_delegate : elided_cell_delegate {
    using elided_cell_delegate::elided_cell_delegate;
    using elided_cell_delegate::initStyleOption;
};

struct output_window_test : testing::store_test {
    output_window window;
    store_observers both;

    output_window_test() {
        app_settings().output = {120, 100, 180, 60};
        both.add(seen);
        both.add(window);
        store.set_observer(&both);
        window.resize(600, 120);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QString cell(int row, int column) const {
        return window.table()->model()->index(row, column).data().toString();
    }
    QRect cell_rect(int row, int column) const {
        return window.table()->visualRect(window.table()->model()->index(row, column));
    }
};

TEST_F(output_window_test, lists_hops_and_status_lines_in_their_colours_on_white) {
    places.positions["192.0.2.1"] = {1, 2};
    add_trace("a", {hop("r1", "192.0.2.1", 7), make_status_row(timed_out_text, red),
                    make_status_row(done_text, blue)});
    ASSERT_EQ(window.line_count(), 3);
    EXPECT_EQ(cell(0, 0), "r1");
    EXPECT_EQ(cell(0, 2), "at 192.0.2.1");
    EXPECT_EQ(cell(0, 3), "   7ms");
    EXPECT_EQ(cell(1, 0), timed_out_text);
    EXPECT_EQ(cell(1, 1), " ");
    const auto colour = [&](int row, int role) {
        return window.table()->model()->index(row, 0).data(role).value<QColor>();
    };
    EXPECT_EQ(colour(0, Qt::ForegroundRole), QColor(0, 0, 0));
    EXPECT_EQ(colour(1, Qt::ForegroundRole), QColor(255, 0, 0));
    EXPECT_EQ(colour(2, Qt::ForegroundRole), QColor(0, 0, 255));
    EXPECT_EQ(colour(2, Qt::BackgroundRole), QColor(Qt::white));

    // A selected line is drawn in the system's highlight, whatever its own colour.
    window.select_row(1);
    const QImage drawn = window.table()->viewport()->grab().toImage();
    const QRect selected = cell_rect(1, 3), plain = cell_rect(2, 3);
    const QColor highlight = window.table()->palette().color(QPalette::Highlight);
    EXPECT_EQ(drawn.pixelColor(selected.right() - 3, selected.center().y()), highlight);
    EXPECT_EQ(drawn.pixelColor(plain.right() - 3, plain.center().y()), QColor(Qt::white));
}

TEST_F(output_window_test, shortens_long_cells_with_dots_inside_their_column) {
    shown_delegate delegate;
    QStyleOptionViewItem option;
    option.initFrom(window.table());
    option.widget = window.table();
    option.rect = QRect(0, 0, 80, 20);
    const QString location = "  52.52\xC2\xB0N North,   13.40\xC2\xB0"
                             "E East";
    add_trace("a", {{.name = "r", .address = "192.0.2.1", .location = {}, .time = "1ms"}});
    store.add_status_row(location.toStdString(), red);
    delegate.initStyleOption(&option, window.table()->model()->index(1, 0));
    EXPECT_TRUE(option.text.endsWith("...")) << option.text.toStdString();
    EXPECT_TRUE(location.startsWith(option.text.chopped(3)));
    EXPECT_LE(option.fontMetrics.horizontalAdvance(option.text), 80);

    option.rect.setWidth(2000);
    delegate.initStyleOption(&option, window.table()->model()->index(1, 0));
    EXPECT_EQ(option.text, location);
}

TEST_F(output_window_test, takes_saved_widths_then_shares_the_width_and_keeps_dragged_ones) {
    QHeaderView* header = window.table()->horizontalHeader();
    EXPECT_EQ(header->sectionSize(0), 120);
    EXPECT_EQ(header->sectionSize(2), 180);

    window.resize(816, 120);
    QApplication::processEvents();
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(header->sectionSize(column), 200) << column;
    EXPECT_EQ(app_settings().output, (std::array<std::int32_t, 4>{200, 200, 200, 200}));

    header->resizeSection(3, 90);
    EXPECT_EQ(app_settings().output[3], 90);
}

TEST_F(output_window_test, reload_gives_the_lines_the_events_gave) {
    places.positions["192.0.2.2"] = {3, 4};
    add_trace("a", {hop("r1", "192.0.2.1"), make_status_row(timed_out_text, red)});
    std::vector<hop_rec> many = testing::hops_at({"192.0.2.2"});
    for (int i = 0; i < 31; ++i)
        many.push_back(hop("r" + std::to_string(i), "198.51.100." + std::to_string(i)));
    add_trace("b", many);
    store.rebuild_route(0);
    store.rebuild_route(1);
    const auto lines = [&] {
        QStringList all;
        for (int row = 0; row < window.line_count(); ++row)
            for (int column = 0; column < 4; ++column)
                all << cell(row, column);
        return all;
    };
    const QStringList from_events = lines();
    EXPECT_EQ(window.line_count(), 32);
    window.output_cleared();
    window.reload(store);
    EXPECT_EQ(lines(), from_events);

    store.clear_traces();
    window.reload(store);
    EXPECT_EQ(window.line_count(), 0);
}

TEST_F(output_window_test, a_double_click_on_a_line_asks_for_its_hop_and_below_them_for_nothing) {
    add_trace("a", testing::hops_at({"192.0.2.1", "192.0.2.2"}));
    QSignalSpy activated(&window, &output_window::row_activated);

    QWidget* lines = window.table()->viewport();
    // A double click is a press and release, then a second press that arrives as the double click.
    const auto double_click = [&](QPoint at) {
        QTest::mouseClick(lines, Qt::LeftButton, {}, at);
        QTest::mouseDClick(lines, Qt::LeftButton, {}, at);
    };
    double_click(cell_rect(1, 1).center());
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.front().front().value<std::size_t>(), 1u);
    double_click(QPoint(10, lines->height() - 5));
    EXPECT_EQ(activated.count(), 1);
}

} // namespace
} // namespace hoplot
