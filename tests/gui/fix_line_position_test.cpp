#include "map/ui/fix_line_position.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/ui/main_window.h"
#include "base/settings.h"
#include "geolocation/scratch_dir.h"
#include "gui/find_widget.h"
#include "gui/scripted_engine.h"
#include "map/ui/update_position_dialog.h"
#include "support/message_log.h"
#include "trace/output_row.h"
#include "trace/ui/output_window.h"

namespace hoplot {
namespace {

// The real window over a trace of two hops that no source places, then "Done".
struct fix_line_position_test : ::testing::Test, test::message_log {
    scratch_dir data;
    std::unique_ptr<main_window> window;
    QTableView* lines = nullptr;

    fix_line_position_test() {
        settings values;
        values.db_path = data.path();
        values.output = {150, 150, 220, 100};
        data.write("cache_files/update.cache", "");
        window = std::make_unique<main_window>(values, map_view{}, nullptr, nullptr,
                                               testing::scripted_engine_parts());
        window->resize(900, 700);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        trace_store& store = window->store();
        store.begin_trace("far.example.com");
        store.add_hop({"gw.example.com", "198.51.100.76", {}, "   3ms"}, false);
        store.add_hop({"core.example.com", "198.51.100.77", {}, "  9ms"}, false);
        store.add_status_row(done_text, blue);
        store.end_trace();
        store.select_trace(0);
        lines = window->findChild<output_window*>()->table();
    }

    QString cell(int line, int column, int role = Qt::DisplayRole) const {
        return lines->model()->index(line, column).data(role).toString();
    }
    void double_click(int line) {
        const QPoint at = lines->visualRect(lines->model()->index(line, 1)).center();
        QTest::mouseClick(lines->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(fix_line_position_test, a_hop_line_opens_the_dialog_for_its_hop_and_yes_moves_the_hop) {
    QString opened_for;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<update_position_dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        opened_for = named<QLineEdit>(*dialog, "IP name")->text();
        for (const auto& [field, keys] :
             {std::pair{"New Latitude", "37.5"}, std::pair{"New Longitude", "122.25"}}) {
            QLineEdit* edit = named<QLineEdit>(*dialog, field);
            edit->selectAll();
            QTest::keyClicks(edit, keys);
        }
        named<QRadioButton>(*dialog, "West")->click();
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->button(QMessageBox::Yes)->click();
        });
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    double_click(1);
    EXPECT_EQ(opened_for, "core.example.com");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    entry_t fixed;
    fixed.latitude = 37.5;
    fixed.longitude = 122.25;
    fixed.longitude_word = "West";
    EXPECT_EQ(cell(0, location_column), unresolved_text);
    EXPECT_EQ(cell(1, location_column).toStdString(), location_text(fixed));
    EXPECT_EQ(cell(1, location_column, Qt::ToolTipRole), source_description(location_source::fix));
    // The unplaced first hop joins the fixed one: one place, both there.
    const route_rec* route = window->store().current_route();
    ASSERT_NE(route, nullptr);
    ASSERT_EQ(route->places.size(), 1u);
    for (const point_rec& point : route->places.front().points)
        EXPECT_EQ(point.position, to_map_units(fixed));
    EXPECT_EQ(read_text_file(data.path() + "cache_files/update.cache"),
              "198.51.100.77 core.example.com 37.5 n 122.25 w\n");
    EXPECT_TRUE(messages.empty());
}

TEST_F(fix_line_position_test, a_status_line_opens_nothing) {
    int opened = 0;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++opened;
            modal->close();
        }
    });
    double_click(2);
    QApplication::processEvents();
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(cell(2, 0), done_text);
}

} // namespace
} // namespace hoplot
