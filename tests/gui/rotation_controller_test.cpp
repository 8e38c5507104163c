#include "map/ui/rotation_controller.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

#include "gui/answer_rotation_dialog.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

// A controller over a whole flat world that notes the region's left edge at every redraw.
struct rotation_fixture : ::testing::Test {
    map_view view = test::sized_view();
    std::vector<int> lefts;
    rotation_controller rotation{view, [this] { lefts.push_back(view.left); }};
    QSignalSpy started{&rotation, &rotation_controller::started};
    QSignalSpy stopped{&rotation, &rotation_controller::stopped};

    bool wait_for_redraws(std::size_t count) {
        return QTest::qWaitFor([&] { return lefts.size() >= count; }, 5000);
    }
};

// Each tick moves the region by a step and then redraws it: left turns east, right west. A stop
// takes effect before the next tick.
TEST_F(rotation_fixture, turns_each_way_a_step_per_tick_until_stopped) {
    for (const auto& [direction, step] :
         {std::pair{rotation_direction::left, 30}, std::pair{rotation_direction::right, -30}}) {
        view = test::sized_view();
        lefts.clear();
        rotation.start(direction);
        EXPECT_TRUE(view.rotating);
        ASSERT_TRUE(wait_for_redraws(3));
        rotation.stop();
        const std::size_t redraws = lefts.size();
        QTest::qWait(120);
        EXPECT_EQ(lefts.size(), redraws);
        EXPECT_FALSE(view.rotating);
        for (std::size_t i = 0; i < lefts.size(); ++i)
            EXPECT_EQ(lefts[i], (831 + step * static_cast<int>(i + 1)) % 831) << i;
        EXPECT_TRUE(view.wrapped);
    }
    rotation.stop();
    EXPECT_EQ(started.count(), 2);
    EXPECT_EQ(stopped.count(), 2);
}

TEST_F(rotation_fixture, the_dialog_starts_the_chosen_direction_or_nothing) {
    answer_dialog(false);
    EXPECT_FALSE(rotation.ask_and_start(nullptr));
    EXPECT_FALSE(rotation.running());
    EXPECT_EQ(started.count(), 0);

    answer_dialog(true);
    EXPECT_TRUE(rotation.ask_and_start(nullptr));
    ASSERT_TRUE(wait_for_redraws(1));
    rotation.stop();
    EXPECT_EQ(lefts.front(), 831 - 30);
}

} // namespace
} // namespace hoplot
