#include "platform/capabilities.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace hoplot {
namespace {

// Root regains every capability at exec unless told otherwise: hoplot-view, which hoplot execs
// after dropping them, must not.
TEST(capabilities, stay_dropped_across_exec_as_root) {
    if (geteuid() != 0) GTEST_SKIP() << "only root regains capabilities at exec";
    EXPECT_EXIT(
        {
            drop_capabilities();
            execl("/bin/sh", "sh", "-c",
                  "grep -Eq '^CapPrm:\\s+0+$' /proc/self/status && "
                  "grep -Eq '^CapEff:\\s+0+$' /proc/self/status",
                  nullptr);
            _exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace hoplot
