#include "map/ui/map_window.h"

#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "base/settings.h"
#include "map/hop_drawing.h"
#include "map/read_outs.h"
#include "map/startup_data.h"
#include "map/view_history.h"
#include "map/view_settings.h"
#include "picture/render.h"
#include "support/message_log.h"
#include "trace/trace_store.h"

namespace hoplot {
namespace {

const map_point paris{33187, 14964}, berlin{35207, 13653}; // in map units

// A map window with every level allowed and no map data, so that only the route is drawn.
struct map_fixture : ::testing::Test, test::message_log {
    view_history history;
    trace_store store{[](std::string&, const std::string&) { return resolution{}; }};
    std::unique_ptr<map_window> window;
    void open(QSize size) {
        map_view view;
        view.max_level = 3;
        window = std::make_unique<map_window>(view, history);
        window->set_trace_store(&store);
        window->show();
        window->resize(window->size() - window->viewport()->size() + size);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_EQ(window->viewport()->size(), size);
    }
    // Paris, a status line, then two hops in Berlin: rows 0, 2 and 3.
    void trace() {
        const auto add = [&](const char* name, const char* time, const char* place, map_point at,
                             location_source source, std::optional<as_network> network) {
            store.add_hop({name, "192.0.2.1", {}, time}, {place, at, 0, source, network}, false);
        };
        store.begin_trace("example.com");
        add("gw.example.net", "   3ms", "Paris", paris, location_source::geoip, {});
        store.add_status_row("Timed out. Retrying... ", 0);
        add("core.example.org", "  25ms", "Berlin", berlin, location_source::cache,
            as_network{64500, "Example Transit"});
        add("edge.example.org", "  27ms", "Berlin", berlin, location_source::fix, {});
        store.end_trace();
        window->view().current_route = store.current_route();
        window->redraw();
    }
    QPoint dot(map_point at) {
        const auto p = hop_screen_position(window->view(), at);
        return {p->x, p->y};
    }
    QWidget* map() { return window->viewport(); }
};

TEST_F(map_fixture, ten_arrow_clicks_are_ten_undo_steps_and_the_thumb_moves_the_view_on_release) {
    open({831, 572});
    EXPECT_EQ(window->accessibleName(), "Map");
    QScrollBar* bar = window->horizontalScrollBar();
    const auto part = [&](QStyle::SubControl control) {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Horizontal;
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.pageStep = bar->pageStep();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, bar).center();
    };
    std::vector<QString> texts;
    QObject::connect(window.get(), &map_window::status_text,
                     [&](auto text) { texts.push_back(text); });
    for (int i = 0; i < 10; ++i)
        QTest::mouseClick(bar, Qt::LeftButton, {}, part(QStyle::SC_ScrollBarSubLine));
    const map_view& view = window->view();
    EXPECT_EQ((std::array{view.left, view.right, int{view.wrapped}}), (std::array{821, 821, 1}));
    EXPECT_EQ(texts, std::vector<QString>(10, "Ready"));
    ASSERT_EQ(history.size(), 10u);
    for (int i = 0; i < 10; ++i)
        history.undo(window->view());
    EXPECT_EQ((std::array{view.left, view.right, int{view.wrapped}}), (std::array{0, 831, 0}));

    // Dragging the thumb only tells where it is; letting it go scrolls there.
    texts.clear();
    const QPoint thumb = part(QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(bar, thumb + QPoint(40, 0));
    ASSERT_FALSE(texts.empty());
    EXPECT_TRUE(texts.back().endsWith("° E")) << texts.back().toStdString();
    EXPECT_EQ(view.left, 0);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(40, 0));
    EXPECT_EQ(view.left, bar->value() % 831);
    EXPECT_GT(view.left, 0);
    EXPECT_EQ(texts.back(), "Ready");
    EXPECT_EQ(history.size(), 1u);
}

TEST_F(map_fixture, a_dragged_band_zooms_once_and_the_wheel_zooms_about_the_pointer) {
    open({831, 572});
    QTest::mousePress(map(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(map(), QPoint(200, 150));
    QTest::mouseRelease(map(), Qt::LeftButton, {}, QPoint(308, 250));
    const map_view& view = window->view();
    EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom}),
              (std::array{100, 100, 308, 243}));

    const QPoint at(416, 286);
    QWheelEvent notch(at, map()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(map(), &notch);
    EXPECT_EQ(view.zoom, 32);
    EXPECT_NEAR((view.left + view.right) / 2.0, 204, 1);
    EXPECT_EQ(history.size(), 2u);
    QTest::keyClick(map(), Qt::Key_Minus); // the keyboard's notch, about the middle
    EXPECT_NEAR(view.zoom, 16, 1);
    EXPECT_EQ(history.size(), 3u);

    window->view().rotating = true;
    QTest::mouseClick(map(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(messages, std::vector<std::string>{"Can't zoom when rotating"});
    EXPECT_EQ(history.size(), 3u);
}

TEST_F(map_fixture, a_hops_dot_tells_its_rows_and_their_sources_and_a_click_selects_its_row) {
    open({831, 572});
    trace();
    QHelpEvent help(QEvent::ToolTip, dot(berlin), map()->mapToGlobal(dot(berlin)));
    QApplication::sendEvent(map(), &help);
    EXPECT_EQ(QToolTip::text().toStdString(),
              std::string("core.example.org\n192.0.2.1\nAS64500 Example Transit\nBerlin\n") +
                  source_description(location_source::cache) +
                  "\n25ms\n\nedge.example.org\n192.0.2.1\nBerlin\n" +
                  source_description(location_source::fix) + "\n27ms");
    QToolTip::hideText();

    std::vector<std::size_t> clicked;
    QObject::connect(window.get(), &map_window::hop_clicked,
                     [&](auto row) { clicked.push_back(row); });
    for (const QPoint at : {dot(berlin), dot(paris), QPoint(700, 500)})
        QTest::mouseClick(map(), Qt::LeftButton, {}, at);
    EXPECT_EQ(clicked, (std::vector<std::size_t>{2, 0}));
    EXPECT_TRUE(history.empty());
}

// A press that moves less than the platform's drag distance is a click: on a dot it selects the
// hop's row, elsewhere it does nothing. A band started beside the world does nothing either.
TEST_F(map_fixture, a_click_that_slips_a_pixel_or_two_is_a_click_and_the_margin_starts_no_band) {
    open({1200, 900}); // the world's frame from y = 37 to 863
    trace();
    std::vector<std::size_t> clicked;
    QObject::connect(window.get(), &map_window::hop_clicked,
                     [&](auto row) { clicked.push_back(row); });
    const QPoint slip(QApplication::startDragDistance() - 1, 0);
    for (const QPoint at : {dot(paris), QPoint(700, 500), QPoint(600, 20)}) {
        QTest::mousePress(map(), Qt::LeftButton, {}, at);
        QTest::mouseMove(map(), at + slip);
        QTest::mouseRelease(map(), Qt::LeftButton, {}, at + slip);
    }
    QTest::mousePress(map(), Qt::LeftButton, {}, QPoint(600, 20));
    QTest::mouseMove(map(), QPoint(700, 100));
    QTest::mouseRelease(map(), Qt::LeftButton, {}, QPoint(800, 200));
    EXPECT_EQ(clicked, std::vector<std::size_t>{0});
    EXPECT_EQ(window->view().zoom, 1);
    EXPECT_TRUE(history.empty());
    EXPECT_TRUE(messages.empty());
}

// Zoomed, the map is drawn over the whole window; a new size keeps its centre and zoom without
// an undo step.
TEST_F(map_fixture, a_larger_window_is_filled_by_the_zoomed_map_and_a_resize_keeps_the_view) {
    open({1200, 900});
    trace();
    QTest::mousePress(map(), Qt::LeftButton, {}, QPoint(571, 176));
    QTest::mouseMove(map(), QPoint(620, 200));
    QTest::mouseRelease(map(), Qt::LeftButton, {}, QPoint(671, 245));
    ASSERT_EQ(history.size(), 1u);
    const QPoint berlin_dot = dot(berlin);
    ASSERT_GT(berlin_dot.x(), 840); // beyond the world's size at zoom 1
    EXPECT_EQ(map()->grab().toImage().pixelColor(berlin_dot), QColor(Qt::red));

    const map_view zoomed = window->view();
    const std::string centre = view_centre_text(zoomed);
    window->resize(window->size() + QSize(150, -100));
    QApplication::processEvents();
    const map_view& view = window->view();
    EXPECT_EQ(view.client_w, 1350);
    EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom, view.zoom}),
              (std::array{zoomed.left, zoomed.top, zoomed.right, zoomed.bottom, zoomed.zoom}));
    EXPECT_EQ(view_centre_text(view), centre);
    EXPECT_EQ(history.size(), 1u);
}

// The window and --render draw the same picture for the same size: the flat map as the window
// first shows it (drawn on a thread while it shows), the globe as redrawn at another size.
TEST(map_picture, the_window_and_render_draw_the_same_picture_for_a_size) {
    settings values;
    values.db_path = std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/";
    values.display_coastlines = values.display_boundaries = 1;
    map_view loaded;
    no_progress progress;
    ASSERT_FALSE(load_all_levels(loaded, values.db_path, progress));
    take_display_flags(loaded, values);
    const std::string out = std::string(std::getenv("HOME")) + "/render.png";
    for (const bool globe : {false, true}) {
        view_history history;
        map_window window(loaded, history);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        if (globe) {
            window.resize(window.size() - window.viewport()->size() + QSize(1000, 700));
            set_globe_mode(window.view(), window.view_listener());
            window.redraw();
        }
        const QImage shown =
            window.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const std::string size =
            std::to_string(shown.width()) + "x" + std::to_string(shown.height());
        ASSERT_EQ(run_render({out, globe ? "--globe" : "--flat", "--size", size}, values), 0);
        EXPECT_TRUE(QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32) ==
                    shown)
            << (globe ? "globe" : "flat map");
    }
}

// Until the Medium and High levels have been read the map stands in with the Low level; a view
// zoomed into High meanwhile is drawn anew when they arrive, as if they had been there at start.
TEST(map_picture, a_view_zoomed_before_the_high_level_arrives_is_redrawn_when_it_does) {
    settings values;
    values.db_path = std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/";
    values.display_coastlines = values.display_rivers = values.display_cities = 1;
    no_progress progress;
    map_view first, all;
    ASSERT_FALSE(load_first_level(first, values.db_path, progress));
    ASSERT_FALSE(load_all_levels(all, values.db_path, progress));
    const auto zoomed_into_high = [](map_window& window) {
        window.show();
        window.resize(window.size() - window.viewport()->size() + QSize(831, 572));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        set_view_rect(window.view(), {404, 102}, {456, 138}); // the Alps
        update_zoom(window.view(), window.view_listener());
        window.redraw();
        EXPECT_EQ(window.view().level, 2);
    };
    const auto picture = [](map_window& window) { return window.viewport()->grab().toImage(); };
    view_history history;
    map_window late(first, history), at_start(all, history);
    for (map_window* window : {&late, &at_start}) {
        take_display_flags(window->view(), values);
        zoomed_into_high(*window);
    }
    const QImage expected = picture(at_start);
    EXPECT_NE(picture(late), expected);
    late.load_detail_levels(values.db_path, [](const std::string& path) { FAIL() << path; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return level_loaded(*late.view().maps, 2); }));
    EXPECT_EQ(picture(late), expected);
}

} // namespace
} // namespace hoplot
