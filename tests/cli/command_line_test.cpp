#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace hoplot {
namespace {

TEST(command_line, hands_the_window_and_its_arguments_to_the_viewer) {
    const std::vector<std::string> window[] = {{}, {"example.org"}, {"saved.trc"}, {"--render"}};
    for (const auto& arguments : window)
        EXPECT_FALSE(run_command_line(arguments));
}

// Options are recognised wherever they stand; one the mode does not take, or without its value,
// is bad usage, said on one line that names it.
TEST(command_line, an_option_a_mode_does_not_take_is_named_on_one_line) {
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"--version", "--bogus"}, "--version does not take --bogus"},
        {{"--locate", "192.0.2.1", "--bogus"}, "--locate does not take --bogus"},
        {{"--locate", "--save", "x.trc", "192.0.2.1"}, "--locate does not take --save"},
        {{"--show", "a.trc", "--save", "x.trc"}, "--show does not take --save"},
        {{"--report", "--frobnicate", "192.0.2.1"}, "--report does not take --frobnicate"},
        {{"--report", "192.0.2.1", "--save"}, "--save needs FILE.trc"},
        {{"--report", "192.0.2.1", "--window", "0"}, "--window takes 1 to 29"},
        {{"--report", "-6", "--json"}, "--report needs one destination"},
    };
    for (const auto& [arguments, said] : refused) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(run_command_line(arguments), 2) << said;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "hoplot: " + said + " (hoplot --help shows the usage)\n");
    }
}

} // namespace
} // namespace hoplot
