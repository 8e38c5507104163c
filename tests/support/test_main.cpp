// Every test process runs with configuration and data directories of its own, never the user's
// and never another test process's (ctest runs them in parallel), and with the offscreen platform
// for anything that needs Qt's GUI.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

#ifdef HOPLOT_TEST_GUI
#include <QApplication>
#endif

namespace {

std::string make_process_home() {
    std::filesystem::create_directories(HOPLOT_TEST_HOME);
    std::string pattern = std::string(HOPLOT_TEST_HOME) + "/run-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
}

} // namespace

int main(int argc, char** argv) {
    const std::string home = make_process_home();
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    setenv("HOME", home.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("HOPLOT_TEST_SOURCE_DIR", HOPLOT_TEST_SOURCE_DIR, 1);
    ::testing::InitGoogleTest(&argc, argv);
    int status = 0;
    {
#ifdef HOPLOT_TEST_GUI
        // Widgets need the application object for the whole run, and it must end before exit.
        QApplication app(argc, argv);
#endif
        status = RUN_ALL_TESTS();
    }
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return status;
}
