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
#include <gtest/gtest.h>

#include "app/ui/main_window.h"
#include "base/settings.h"
#include "gui/answer_next.h"
#include "gui/answer_rotation_dialog.h"
#include "gui/find_widget.h"
#include "gui/scripted_engine.h"
#include "trace/ui/destination_dialog.h"
#include "trace/ui/output_window.h"
#include "trace/ui/trace_list_window.h"

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
