#include "trace/ui/output_window.h"

#include <QHeaderView>
#include <QIcon>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include "trace/store_recorder.h"
#include "trace/ui/elided_cell_delegate.h"

namespace hoplot {
namespace {

using testing::hop;

struct shown_delegate : elided_cell_delegate {
    using elided_cell_delegate::initStyleOption;
};

struct output_window_test : testing::store_test {
    output_window window{{120, 100, 180, 60, 150}};

    output_window_test() {
        store.add_observer(window);
        window.resize(600, 120);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QModelIndex at(int row, int column) const {
        return window.table()->model()->index(row, column);
    }
    QStringList lines() const {
        QStringList all;
        for (int row = 0; row < window.line_count(); ++row)
            for (int column = 0; column < output_column_count; ++column)
                all << at(row, column).data().toString();
        return all;
    }
};

TEST_F(output_window_test, lists_lines_in_their_colours_on_white_and_selected_in_the_highlight) {
    places.networks["192.0.2.1"] = {64500, "Example Transit"};
    add_trace("a", {hop("r1", "192.0.2.1", 7), make_status_row(timed_out_text, red),
                    make_status_row(done_text, blue)});
    EXPECT_EQ(lines(),
              (QStringList{"r1", "192.0.2.1", "Unresolved", "   7ms", "AS64500 Example Transit",
                           timed_out_text, " ", " ", " ", " ", done_text, " ", " ", " ", " "}));
    EXPECT_EQ(at(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(at(2, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));

    window.select_row(1);
    const QImage drawn = window.table()->viewport()->grab().toImage();
    const auto background = [&](int row) {
        const QRect cell = window.table()->visualRect(at(row, 3));
        return drawn.pixelColor(cell.right() - 3, cell.center().y());
    };
    EXPECT_EQ(background(1), window.table()->palette().color(QPalette::Highlight));
    EXPECT_EQ(background(2), QColor(Qt::white));
}

TEST_F(output_window_test, a_hops_location_cell_marks_and_names_where_its_position_came_from) {
    const location_source placed[] = {location_source::loc, location_source::cache,
                                      location_source::fix, location_source::geoip,
                                      location_source::rules};
    std::vector<hop_rec> rows;
    for (std::size_t i = 0; i < std::size(placed); ++i) {
        const std::string address = "192.0.2." + std::to_string(i + 1);
        places.positions[address] = {int(i), 0};
        places.sources[address] = placed[i];
        rows.push_back(hop("r", address));
    }
    rows.push_back(hop("far", "198.51.100.1"));
    rows.push_back(make_status_row(done_text, blue));
    add_trace("a", rows);

    std::vector<QImage> marks;
    for (int line = 0; line < 6; ++line) {
        const location_source source =
            line < 5 ? placed[line] : location_source::none; // the last hop is unresolved
        SCOPED_TRACE(source_name(source));
        const QModelIndex cell = at(line, location_column);
        const QImage mark = cell.data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage();
        EXPECT_FALSE(mark.isNull());
        EXPECT_EQ(std::count(marks.begin(), marks.end(), mark), 0) << "one mark for each source";
        marks.push_back(mark);
        EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), source_description(source));
        EXPECT_EQ(cell.data(Qt::AccessibleDescriptionRole).toString(), source_description(source));
        EXPECT_FALSE(at(line, 0).data(Qt::ToolTipRole).isValid()) << "only the location cell";
    }
    for (const int role : {Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole})
        EXPECT_FALSE(at(6, location_column).data(role).isValid()) << "a status line has none";
}

// A later hop rules out an earlier one: its line (after a time-out line that was shown but not
// stored) gets the warning sign over its mark and says why.
TEST_F(output_window_test, a_line_whose_position_is_ruled_out_says_why) {
    places.place("192.0.2.1", {35.68, 139.69}, location_source::geoip);
    places.place("192.0.2.2", {48.86, 2.35}, location_source::cache);
    places.place("192.0.2.3", {48.86, 2.35}, location_source::geoip);
    store.begin_trace("a");
    store.add_status_row(timed_out_text, red);
    for (const char* address : {"192.0.2.1", "192.0.2.2", "192.0.2.3"}) {
        hop_rec row = hop(address, address);
        row.rtt = std::chrono::microseconds(300);
        store.add_hop(row, true);
    }
    const QModelIndex doubted = at(1, location_column), trusted = at(2, location_column);
    const QString why = QString::fromStdString(store.traces()[0].rows[0].check_note);
    EXPECT_TRUE(why.startsWith("Placed by GeoIP at 35.68")) << why.toStdString();
    EXPECT_EQ(doubted.data(Qt::ToolTipRole).toString(), why);
    EXPECT_EQ(doubted.data(Qt::AccessibleDescriptionRole).toString(), why);
    EXPECT_EQ(trusted.data(Qt::ToolTipRole).toString(), source_description(location_source::cache));
    const auto mark = [](const QModelIndex& cell) {
        return cell.data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage();
    };
    EXPECT_NE(mark(doubted), mark(at(3, location_column))) << "not the plain GeoIP mark";
}

TEST_F(output_window_test, shortens_a_long_cell_with_dots_inside_its_column_beside_its_mark) {
    const QString location = "  52.52\xC2\xB0 North,   13.40\xC2\xB0 East";
    store.add_status_row(location.toStdString(), red);
    places.positions["198.51.100.123"] = {1, 2};
    add_trace("a", {hop("r1", "198.51.100.123")});
    shown_delegate delegate;
    for (const QModelIndex& cell : {at(0, 0), at(1, location_column)}) {
        const QString whole = cell.data().toString();
        QStyleOptionViewItem option;
        option.initFrom(window.table());
        option.rect = QRect(0, 0, 80, 20);
        delegate.initStyleOption(&option, cell);
        EXPECT_TRUE(option.text.endsWith("...")) << option.text.toStdString();
        EXPECT_TRUE(whole.startsWith(option.text.chopped(3)));
        const int mark =
            cell.data(Qt::DecorationRole).isValid() ? option.decorationSize.width() : 0;
        EXPECT_LE(option.fontMetrics.horizontalAdvance(option.text) + mark, 80);
    }
}

TEST_F(output_window_test, takes_saved_widths_then_shares_the_width_and_keeps_dragged_ones) {
    QHeaderView* header = window.table()->horizontalHeader();
    EXPECT_EQ(header->sectionSize(2), 180);
    EXPECT_EQ(header->sectionSize(network_column), 150);
    QSignalSpy reported(&window, &output_window::widths_changed);
    window.resize(1016, 120);
    QApplication::processEvents();
    EXPECT_EQ(header->sectionSize(0), 200);
    EXPECT_EQ(header->sectionSize(network_column), 200);
    EXPECT_EQ(window.widths(), (output_widths{200, 200, 200, 200, 200}));
    header->resizeSection(network_column, 90);
    EXPECT_EQ(window.widths()[network_column], 90);
    EXPECT_EQ(reported.count(), 2);
}

TEST_F(output_window_test, the_network_cell_tips_its_whole_name_and_the_header_says_why_none) {
    places.networks["192.0.2.1"] = {4200000001, "A Very Long Name Of An Organisation, Inc."};
    add_trace("a", {hop("r1", "192.0.2.1"), hop("r2", "10.0.0.1")});
    QHeaderView* header = window.table()->horizontalHeader();
    header->resizeSection(network_column, 60);
    const auto tip_at = [](QWidget* widget, QPoint at) {
        QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &help);
        const QString text = QToolTip::text();
        QToolTip::hideText();
        return text;
    };
    const QPoint cell = window.table()->visualRect(at(0, network_column)).center();
    EXPECT_EQ(tip_at(window.table()->viewport(), cell),
              "AS4200000001 A Very Long Name Of An Organisation, Inc.");
    EXPECT_EQ(at(1, network_column).data().toString(), " ");
    EXPECT_FALSE(at(1, network_column).data(Qt::ToolTipRole).isValid());

    const QPoint title(header->sectionViewportPosition(network_column) + 10, header->height() / 2);
    EXPECT_EQ(header->model()->headerData(network_column, Qt::Horizontal).toString(), "Network");
    EXPECT_FALSE(
        header->model()->headerData(network_column, Qt::Horizontal, Qt::ToolTipRole).isValid());
    window.set_network_note("No AS database");
    EXPECT_EQ(tip_at(header->viewport(), title), "No AS database");
    EXPECT_EQ(header->model()
                  ->headerData(network_column, Qt::Horizontal, Qt::AccessibleDescriptionRole)
                  .toString(),
              "No AS database");
}

TEST_F(output_window_test, reload_gives_the_lines_the_events_gave) {
    places.positions["192.0.2.2"] = {3, 4};
    add_trace("a", {hop("r1", "192.0.2.1"), make_status_row(timed_out_text, red)});
    std::vector<hop_rec> many = testing::hops_at({"192.0.2.2"});
    for (int i = 0; i < 31; ++i)
        many.push_back(hop("r", "198.51.100." + std::to_string(i)));
    add_trace("b", many);
    store.rebuild_route(1);
    const QStringList from_events = lines();
    EXPECT_EQ(window.line_count(), 32);
    window.output_cleared();
    window.reload(store);
    EXPECT_EQ(lines(), from_events);
}

TEST_F(output_window_test, a_double_click_on_a_line_asks_for_its_hop_and_below_them_for_nothing) {
    add_trace("a", testing::hops_at({"192.0.2.1", "192.0.2.2"}));
    QSignalSpy activated(&window, &output_window::row_activated);
    QWidget* lines = window.table()->viewport();
    // The view takes a double click as a press and release, then the double click itself.
    const auto double_click = [&](QPoint point) {
        QTest::mouseClick(lines, Qt::LeftButton, {}, point);
        QTest::mouseDClick(lines, Qt::LeftButton, {}, point);
    };
    double_click(window.table()->visualRect(at(1, 1)).center());
    double_click(QPoint(10, lines->height() - 5));
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.front().front().value<std::size_t>(), 1u);
}

} // namespace
} // namespace hoplot
