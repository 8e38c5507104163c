#include "base/blocking_call.h"

#include <atomic>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace hoplot {
namespace {

using namespace std::chrono_literals;

// A call nobody can interrupt is given up on as soon as the stop comes; it runs on to its end
// with what it owns, and its answer is dropped. Without a stop, its answer comes back.
TEST(blocking_call, a_stop_gives_up_at_once_while_the_call_runs_on) {
    EXPECT_EQ(run_blocking_call<int>([] { return 2; }, std::stop_source().get_token()), 2);

    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    const auto finished = std::make_shared<std::atomic<bool>>(false);
    std::stop_source stop;
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(50ms);
        stop.request_stop();
    });
    const auto started = std::chrono::steady_clock::now();
    const auto answer = run_blocking_call<int>(
        [released, finished] {
            released.wait();
            *finished = true;
            return 1;
        },
        stop.get_token());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
    EXPECT_FALSE(answer);
    stopper.join();
    EXPECT_FALSE(*finished);
    release.set_value();
    for (int i = 0; i < 100 && !*finished; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(*finished);
}

} // namespace
} // namespace hoplot
