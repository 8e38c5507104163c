#include "app/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

#include "app/ui/panel.h"
#include "app/ui/termination_signals.h"
#include "base/settings.h"
#include "base/show_message.h"
#include "geolocation/scratch_dir.h"
#include "gui/answer_next.h"
#include "gui/answer_rotation_dialog.h"
#include "gui/find_widget.h"
#include "support/message_log.h"

namespace hoplot {
namespace {

// The menu bar as text: each menu's title, then its items, "-" for a separator, a sub-menu's
// items in brackets; each item with its shortcut and its enabled and checked state.
QString describe(const QList<QAction*>& actions) {
    QString text;
    for (const QAction* action : actions) {
        if (action->isSeparator()) {
            text += "- ";
            continue;
        }
        text += action->text();
        if (!action->shortcut().isEmpty()) text += "=" + action->shortcut().toString();
        if (!action->isEnabled()) text += "(gray)";
        if (action->isChecked()) text += "(v)";
        if (action->menu() != nullptr) text += " [" + describe(action->menu()->actions()) + "]";
        text += " ";
    }
    return text;
}

class main_window_test : public ::testing::Test {
  protected:
    void SetUp() override {
        open_window();
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        log.emplace(); // after the window, which installs its own message boxes
    }
    void TearDown() override {
        window.reset();
        log.reset();
    }

    // A new window, not yet shown, from settings of 900 by 700 unless said otherwise.
    void open_window(QSize size = {900, 700}) {
        window.reset();
        settings values;
        values.main_window_width = size.width();
        values.main_window_height = size.height();
        window = std::make_unique<main_window>(values);
    }
    void show_window() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QAction* find_action(const QString& label) { return hoplot::find_action(*window, label); }
    QToolButton* button(const QString& name) { return named<QToolButton>(*window, name); }

    std::unique_ptr<main_window> window;
    std::optional<test::message_log> log;
};

TEST_F(main_window_test, menu_bar_lists_every_command_with_keys_tips_and_first_states) {
    EXPECT_EQ(describe(window->menuBar()->actions()).toStdString(),
              "&File [&New\tCtrl-N=Ctrl+N &Open\tCtrl-O=Ctrl+O &Save\tCtrl-S=Ctrl+S "
              "Save &As\tCtrl-A=Ctrl+A &Print\tCtrl-P=Ctrl+P(gray) - &Quit ] "
              "&Edit [&Undo\tCtrl-Z=Ctrl+Z(gray) &Reset View\tCtrl-R=Ctrl+R ] "
              "&View [&Flat Map\tCtrl-F=Ctrl+F(v) &Globe\tCtrl-G=Ctrl+G - &Auto Rotation "
              "&Stop Rotation(gray) - &Map Features... [&Cities C&oastlines "
              "&Political Boundaries &Rivers ] ] "
              "&Trace [&Start Trace\tCtrl-T=Ctrl+T S&top Trace(gray) &Clear Trace(s) "
              "Use &RFC 1876 Use &GeoIP Database - Set &Home Location... ] "
              "&Help [Hoplot &Help\tF1=F1 - &About ] ");
    EXPECT_EQ(find_action("Use &GeoIP Database")->statusTip(),
              "Place hops with the GeoIP database");
    EXPECT_EQ(find_action("&Quit")->statusTip(), "Quits Hoplot");
}

// The status bar's right-hand field is heard as what it shows ("Raw ICMP"), then what it means.
TEST_F(main_window_test, the_probing_field_is_heard_as_shown) {
    const QList<QLabel*> fields = window->statusBar()->findChildren<QLabel*>();
    const auto probing = std::find_if(fields.begin(), fields.end(),
                                      [](QLabel* field) { return !field->toolTip().isEmpty(); });
    ASSERT_NE(probing, fields.end());
    EXPECT_FALSE((*probing)->text().isEmpty());
    EXPECT_EQ(heard_name(*probing), (*probing)->text());
}

TEST_F(main_window_test, toolbar_buttons_meet_the_guards_of_their_commands) {
    struct row {
        bool map_view::*flag;
        const char* button;
        const char* message;
    };
    const row rows[] = {{&map_view::trace_running, "Undo", "Trace currently running"},
                        {&map_view::rotating, "Start Trace", "Map is still begin rotated"},
                        {&map_view::opening, "Globe Mode", "Opening a file"},
                        {&map_view::opening, "Flat Map Mode", "Opening a file"},
                        {&map_view::opening, "Stop", "Opening a file"},
                        {&map_view::zoomed, "Stop", "Nothing to stop"}};
    for (const row& r : rows) {
        log->messages.clear();
        window->view().*r.flag = true;
        const bool globe = window->view().globe_mode;
        QTest::mouseClick(button(r.button), Qt::LeftButton);
        window->view().*r.flag = false;
        EXPECT_EQ(log->messages, std::vector<std::string>{r.message}) << r.button;
        EXPECT_EQ(window->view().globe_mode, globe);
        EXPECT_TRUE(window->history().empty());
    }
}

TEST_F(main_window_test, every_view_command_is_one_undo_step) {
    const bool start_globe = window->view().globe_mode;
    QTest::mouseClick(button("Flat Map Mode"), Qt::LeftButton); // already flat: still a step
    EXPECT_TRUE(find_action("&Undo")->isEnabled());
    find_action("&Globe")->trigger();
    find_action("&Cities")->trigger();
    EXPECT_TRUE(window->view().globe_mode);
    EXPECT_TRUE(find_action("&Cities")->isChecked());
    EXPECT_EQ(window->history().size(), 3u);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(find_action("&Cities")->isChecked());
    EXPECT_TRUE(find_action("&Globe")->isChecked());
    find_action("&Undo")->trigger();
    QTest::mouseClick(button("Undo"), Qt::LeftButton);
    EXPECT_EQ(window->view().globe_mode, start_globe);
    EXPECT_TRUE(find_action("&Flat Map")->isChecked());
    EXPECT_FALSE(find_action("&Undo")->isEnabled());
    QTest::mouseClick(button("Undo"), Qt::LeftButton); // empty history: nothing happens
    EXPECT_TRUE(log->messages.empty());
}

TEST_F(main_window_test, new_resets_the_map_features_and_forgets_the_history) {
    find_action("&Cities")->trigger();
    find_action("&Rivers")->trigger();
    find_action("&Globe")->trigger();
    find_action("&New")->trigger();
    EXPECT_FALSE(find_action("&Cities")->isChecked());
    for (const char* label : {"C&oastlines", "&Political Boundaries", "&Rivers", "&Globe"})
        EXPECT_TRUE(find_action(label)->isChecked()) << label;
    EXPECT_FALSE(find_action("&Undo")->isEnabled());
}

// What is kept is what comes back: the size without the frame, never beyond the screen.
TEST_F(main_window_test, its_size_comes_back_the_same_but_never_larger_than_the_screen) {
    open_window({600, 500});
    show_window();
    const settings& kept = window->current_settings();
    EXPECT_EQ(kept.main_window_width, 600) << "the first size is not recorded";
    window->resize(640, 480);
    // (QtTest's QTRY_ macros report to QtTest, not here: a failure would pass unseen.)
    EXPECT_TRUE(QTest::qWaitFor([&] { return kept.main_window_width == 640; }));
    EXPECT_EQ(kept.main_window_height, 480);
    window->showMinimized();
    window->resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(kept.main_window_width, 640) << "nothing recorded while minimised";

    window = std::make_unique<main_window>(kept);
    show_window();
    EXPECT_EQ(window->size(), QSize(640, 480));
    open_window({5000, 4000});
    show_window();
    EXPECT_EQ(window->size(), window->screen()->availableSize());
}

// Only a file whose traces replaced the held ones starts the view's history anew.
TEST_F(main_window_test, open_keeps_the_history_unless_a_file_was_read) {
    scratch_dir dir;
    const auto open = [this](const std::string& path) {
        answer_next<QFileDialog>([path](QFileDialog& dialog) {
            if (path.empty()) return dialog.reject();
            dialog.selectFile(QString::fromStdString(path));
            QMetaObject::invokeMethod(&dialog, "accept");
        });
        find_action("&Open")->trigger();
    };
    find_action("&Cities")->trigger();
    open("");
    open(dir.write("bad.trc", "2 broken "));
    EXPECT_EQ(log->messages, std::vector<std::string>{"Can't read file bad.trc"});
    EXPECT_EQ(window->history().size(), 1u);
    open(dir.write("good.trc", "0 "));
    EXPECT_TRUE(window->history().empty());
}

TEST_F(main_window_test, rotation_grays_its_rivals_until_stop_restores_the_menu) {
    answer_dialog(true);
    find_action("&Auto Rotation")->trigger();
    EXPECT_TRUE(window->view().rotating);
    for (const char* label : {"&New", "&Start Trace", "&Cities", "&Reset View", "&Auto Rotation"})
        EXPECT_FALSE(find_action(label)->isEnabled()) << label;
    EXPECT_TRUE(find_action("&Stop Rotation")->isEnabled());
    EXPECT_TRUE(find_action("&Globe")->isEnabled());
    const int left = window->view().left;
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->view().left != left; }));
    QTest::mouseClick(button("Stop"), Qt::LeftButton);
    EXPECT_FALSE(window->view().rotating);
    for (const char* label : {"&New", "&Start Trace", "&Cities", "&Reset View", "&Auto Rotation"})
        EXPECT_TRUE(find_action(label)->isEnabled()) << label;
    EXPECT_FALSE(find_action("&Stop Rotation")->isEnabled());
    EXPECT_EQ(window->history().size(), 1u);
}

TEST_F(main_window_test, panel_scrolls_only_when_shorter_than_its_content) {
    auto* side = window->findChild<panel*>();
    side->resize(205, 680);
    EXPECT_FALSE(side->scroll_bar()->isHidden());
    EXPECT_EQ(side->scroll_bar()->maximum(), 4);
    side->resize(205, 681);
    EXPECT_TRUE(side->scroll_bar()->isHidden());
}

// A desktop logging out sends SIGTERM: the window ends as Quit does, its settings written, but
// without asking about the unsaved traces; a second signal would end the process at once.
TEST_F(main_window_test, sigterm_ends_the_window_as_quit_does_without_asking) {
    find_action("&Globe")->trigger();
    trace_store& store = window->store();
    store.begin_trace("far.example");
    store.add_hop({"gw", "192.0.2.1", {}, "   3ms"}, false);
    store.end_trace();
    store.set_traces_saved(false);
    bool asked = false;
    QTimer refuse;
    QObject::connect(&refuse, &QTimer::timeout, [&asked] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = true;
            box->reject();
        }
    });
    refuse.start(10);
    end_window_on_termination_signals(*window);
    std::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->isVisible(); }));
    EXPECT_FALSE(asked);
    EXPECT_EQ(read_settings(std::nullopt, "").globe_mode, 1);
    EXPECT_EQ(std::signal(SIGTERM, SIG_DFL), SIG_DFL);
}

TEST_F(main_window_test, a_message_from_another_thread_is_shown_on_the_gui_thread) {
    open_window();
    std::vector<bool> gui_thread;
    message_box_host host(window.get(), [&](QWidget* owner, const QString& text) {
        EXPECT_EQ(owner, window.get());
        EXPECT_EQ(text, "Can't write to file x");
        gui_thread.push_back(QThread::currentThread() == qApp->thread());
    });
    std::atomic<bool> returned = false;
    std::thread worker([&] {
        ShowMessage("Can't write to file x");
        returned = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(gui_thread, std::vector<bool>{true});
}

} // namespace
} // namespace hoplot
