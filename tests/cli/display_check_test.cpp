#include "cli/display_check.h"

#include <gtest/gtest.h>
#include <map>

namespace hoplot {
namespace {

TEST(display_check, any_display_or_chosen_platform_lets_the_window_open) {
    using environment = std::map<std::string, std::string>;
    const struct {
        environment values;
        bool missing;
    } cases[] = {
        {{}, true},
        {{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}, true},
        {{{"DISPLAY", ":0"}}, false},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, false},
    };
    for (const auto& c : cases) {
        const auto notice = missing_display_notice([&c](const char* name) -> const char* {
            const auto found = c.values.find(name);
            return found == c.values.end() ? nullptr : found->second.c_str();
        });
        ASSERT_EQ(notice.has_value(), c.missing);
        if (!notice) continue;
        // One line that names the modes that work without a display.
        EXPECT_EQ(notice->find('\n'), notice->size() - 1);
        for (const char* mode : {"--report", "--locate", "--show", "--render"})
            EXPECT_NE(notice->find(mode), std::string::npos) << mode;
    }
}

} // namespace
} // namespace hoplot
