#include "platform/thread_priority.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace hoplot {
namespace {

int nice_of_this_thread() {
    return getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
}

// Only the thread that asks runs lower: the GUI thread, which started it, keeps its priority.
TEST(thread_priority, lowers_the_calling_thread_only) {
    const int before = nice_of_this_thread();
    if (before >= 19) GTEST_SKIP() << "already running at the lowest priority";
    int inside = before;
    std::thread worker([&inside] {
        lower_this_thread_priority();
        inside = nice_of_this_thread();
    });
    worker.join();
    EXPECT_GT(inside, before);
    EXPECT_EQ(nice_of_this_thread(), before);
}

} // namespace
} // namespace hoplot
