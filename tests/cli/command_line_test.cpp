#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace hoplot {
namespace {

TEST(command_line, hands_the_window_and_its_arguments_to_the_viewer) {
    const std::vector<std::string> window[] = {{}, {"example.org"}, {"saved.trc"}, {"--render"}};
    for (const auto& arguments : window)
        EXPECT_FALSE(run_command_line(arguments));

    testing::internal::CaptureStderr();
    EXPECT_EQ(run_command_line({"--bogus"}), 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("hoplot [HOST | FILE.trc]"),
              std::string::npos);
}

} // namespace
} // namespace hoplot
