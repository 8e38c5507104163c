#include "map/ui/map_window.h"

#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "map/hop_drawing.h"
#include "map/view_history.h"
#include "shell/show_message.h"
#include "trace/trace_store.h"

namespace hoplot {
namespace {

map_point map_units(double longitude, double latitude) {
    return {static_cast<int>(65536 / 360.0 * (longitude + 180) + 0.5),
            static_cast<int>(65536 / 180.0 * (90 - latitude) + 0.5)};
}

hop_rec hop(const std::string& name, const std::string& address, const std::string& time) {
    hop_rec r;
    r.name = name;
    r.address = address;
    r.time = time;
    return r;
}

resolution placed(const std::string& text, map_point at) {
    return {text, at, 0, location_source::cache};
}

// A map window of the given viewport size with every level allowed and no map data: only the
// route is drawn.
struct map_fixture : ::testing::Test {
    view_history history;
    trace_store store{[](std::string&, const std::string&) { return resolution{}; }};
    std::unique_ptr<map_window> window;
    std::vector<std::string> messages;
    message_handler previous;

    void open(int width, int height) {
        map_view view;
        view.max_level = 3;
        window = std::make_unique<map_window>(view, history);
        window->set_trace_store(&store);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->resize(window->size() - window->viewport()->size() + QSize(width, height));
        QApplication::processEvents();
        ASSERT_EQ(window->viewport()->size(), QSize(width, height));
        previous =
            set_message_handler([this](const std::string& text) { messages.push_back(text); });
    }
    void TearDown() override {
        if (previous) set_message_handler(previous);
    }

    // Paris, a status line, then two hops in Berlin: rows 0, 2 and 3.
    void trace() {
        store.begin_trace("example.com");
        store.add_hop(hop("gw.example.net", "192.0.2.1", "   3ms"),
                      placed("Paris", map_units(2.3, 48.9)), false);
        store.add_status_row("Timed out. Retrying... ", 0);
        store.add_hop(hop("core.example.org", "198.51.100.7", "  25ms"),
                      placed("Berlin", map_units(13.4, 52.5)), false);
        store.add_hop(hop("edge.example.org", "198.51.100.9", "  27ms"),
                      placed("Berlin", map_units(13.4, 52.5)), false);
        store.end_trace();
        window->view().current_route = store.current_route();
        window->redraw();
    }
    QPoint dot_of(map_point at) {
        const auto p = hop_screen_position(window->view(), at);
        return p ? QPoint(p->x, p->y) : QPoint(-1, -1);
    }
    QWidget* viewport() { return window->viewport(); }
};

TEST_F(map_fixture, ten_arrow_clicks_are_ten_undo_steps_and_scroll_round_the_world) {
    open(831, 572);
    EXPECT_EQ(window->accessibleName(), "Map");
    QScrollBar* bar = window->horizontalScrollBar();
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.pageStep = bar->pageStep();
    option.singleStep = bar->singleStep();
    const QRect arrow = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                     QStyle::SC_ScrollBarSubLine, bar);
    ASSERT_FALSE(arrow.isEmpty());
    std::vector<QString> texts;
    QObject::connect(window.get(), &map_window::status_text,
                     [&](const QString& text) { texts.push_back(text); });
    const map_view start = window->view();
    for (int i = 0; i < 10; ++i)
        QTest::mouseClick(bar, Qt::LeftButton, {}, arrow.center());
    EXPECT_EQ(window->view().left, 821); // across the seam
    EXPECT_TRUE(window->view().wrapped);
    EXPECT_EQ(history.size(), 10u);
    EXPECT_EQ(texts, std::vector<QString>(10, "Ready"));
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(history.undo(window->view()));
    EXPECT_EQ(view_snapshot::of(window->view()).left, view_snapshot::of(start).left);
    EXPECT_EQ(window->view().wrapped, start.wrapped);
    EXPECT_EQ(window->view().right, start.right);
}

TEST_F(map_fixture, a_dragged_band_zooms_once_and_the_wheel_zooms_about_the_pointer) {
    open(831, 572);
    QTest::mousePress(viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(viewport(), QPoint(200, 150));
    QTest::mouseMove(viewport(), QPoint(308, 250));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(308, 250));
    const map_view& view = window->view();
    EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom}),
              (std::array{100, 100, 308, 243}));
    EXPECT_EQ(history.size(), 1u);

    const QPoint at(416, 286);
    QWheelEvent notch(at, viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport(), &notch);
    EXPECT_EQ(history.size(), 2u);
    EXPECT_NEAR(view.zoom, 32, 1);
    EXPECT_NEAR((view.left + view.right) / 2.0, 204, 2);

    // While the globe turns no band starts.
    window->view().rotating = true;
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(messages, std::vector<std::string>{"Can't zoom when rotating"});
    EXPECT_EQ(history.size(), 2u);
}

TEST_F(map_fixture, a_hops_dot_tells_its_rows_and_a_click_selects_its_row) {
    open(831, 572);
    trace();
    const QPoint berlin = dot_of(map_units(13.4, 52.5));
    QTest::mouseMove(viewport(), berlin);
    QHelpEvent help(QEvent::ToolTip, berlin, viewport()->mapToGlobal(berlin));
    QApplication::sendEvent(viewport(), &help);
    EXPECT_EQ(QToolTip::text(), "core.example.org\n198.51.100.7\nBerlin\n25ms\n\n"
                                "edge.example.org\n198.51.100.9\nBerlin\n27ms");
    QToolTip::hideText();

    std::vector<std::size_t> clicked;
    QObject::connect(window.get(), &map_window::hop_clicked,
                     [&](std::size_t row) { clicked.push_back(row); });
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, berlin);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, dot_of(map_units(2.3, 48.9)));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(700, 500)); // no hop there
    EXPECT_EQ(clicked, (std::vector<std::size_t>{2, 0}));
    EXPECT_TRUE(history.empty());
}

TEST_F(map_fixture, a_larger_window_keeps_the_zoomed_route_inside_the_map_corner) {
    open(1200, 900);
    trace();
    QTest::mousePress(viewport(), Qt::LeftButton, {}, QPoint(320, 80));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(420, 148));
    ASSERT_EQ(history.size(), 1u);
    const QPoint berlin = dot_of(map_units(13.4, 52.5));
    ASSERT_GT(berlin.x(), 840); // drawn here were it not cut off
    const QImage picture = viewport()->grab().toImage();
    for (int y = 0; y < 900; y += 3)
        for (int x = 834; x < 1200; x += 3)
            ASSERT_EQ(picture.pixelColor(x, y), QColor(Qt::black)) << x << "," << y;

    window->resize(window->size() + QSize(10, 0));
    QApplication::processEvents();
    const map_view& view = window->view();
    EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom, view.zoom}),
              (std::array{0, 0, 831, 572, 1}));
}

} // namespace
} // namespace hoplot
