#include "shell/ui/main_window.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "shell/settings.h"

namespace hoplot {
namespace {

TEST(main_window, opens_titled_at_the_stored_size_and_records_resizes) {
    app_settings().main_window_width = 900;
    app_settings().main_window_height = 640;
    main_window window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "Hoplot");
    EXPECT_EQ(window.size(), QSize(900, 640));

    window.resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(app_settings().main_window_width, 1000);
    EXPECT_EQ(app_settings().main_window_height, 700);
}

} // namespace
} // namespace hoplot
