#include "cli/cli_setup.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "base/settings.h"

namespace hoplot {
namespace {

// The command line has no screen: a window size it stored would be a stand-in that the next
// window start takes for the screen's.
TEST(cli_setup, the_command_line_stores_no_window_size) {
    std::filesystem::remove(settings_file());
    load_cli_settings();
    std::ifstream in(settings_file());
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(text.find("Display Rivers=1"), std::string::npos) << text;
    for (const char* name : {"Main Window", "Output"})
        EXPECT_EQ(text.find(name), std::string::npos) << name << " in\n" << text;
    EXPECT_EQ(read_settings(screen_size{1600, 1000}, "/d/").main_window_width, 1600);
    std::filesystem::remove(settings_file());
}

} // namespace
} // namespace hoplot
