// Every test process runs with configuration and data directories of its own under the build
// tree, never the user's, and with the offscreen platform for anything that needs Qt's GUI.
#include <cstdlib>
#include <gtest/gtest.h>

#ifdef HOPLOT_TEST_GUI
#include <QApplication>
#endif

int main(int argc, char** argv) {
    setenv("XDG_CONFIG_HOME", HOPLOT_TEST_HOME "/config", 1);
    setenv("XDG_DATA_HOME", HOPLOT_TEST_HOME "/data", 1);
    setenv("HOME", HOPLOT_TEST_HOME, 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("HOPLOT_TEST_SOURCE_DIR", HOPLOT_TEST_SOURCE_DIR, 1);
    ::testing::InitGoogleTest(&argc, argv);
#ifdef HOPLOT_TEST_GUI
    // Widgets need the application object for the whole run, and it must end before exit.
    QApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
