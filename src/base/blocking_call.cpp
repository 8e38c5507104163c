#include "base/blocking_call.h"

#include "base/task_pool.h"

namespace hoplot {
namespace {

// Enough for every hop of a few traces stopped one after another against a name server that
// never answers (each call then takes the resolver's whole time-out); more calls wait their turn.
constexpr std::size_t blocking_call_threads = 128;

} // namespace

void run_on_blocking_call_threads(std::function<void()> call) {
    // Never destroyed: a call may still run while the process ends, and must find its pool there.
    static task_pool* const threads = new task_pool(blocking_call_threads);
    threads->run(std::move(call));
}

} // namespace hoplot
