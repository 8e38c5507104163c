#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>

namespace hoplot {

// Hands a call to the threads that run calls nobody can interrupt (getaddrinfo, getnameinfo,
// res_nsearch). They live as long as the process, so that an exit never waits for one.
void run_on_blocking_call_threads(std::function<void()> call);

// Runs a call that cannot be interrupted and returns its answer, or none as soon as `stop` is
// requested: the call then runs on to its end on a thread of its own, and its answer is
// dropped. It must therefore own everything it touches (copies, shared pointers), never borrow
// from its caller. Without a stop that can be requested, it simply runs here.
template <typename result>
std::optional<result> run_blocking_call(std::function<result()> call, const std::stop_token& stop) {
    if (!stop.stop_possible()) return call();
    if (stop.stop_requested()) return std::nullopt;
    struct answer_slot {
        std::mutex mutex;
        std::condition_variable_any answered;
        std::optional<result> answer;
    };
    auto slot = std::make_shared<answer_slot>();
    run_on_blocking_call_threads([slot, call = std::move(call)] {
        result answer = call();
        {
            std::lock_guard lock(slot->mutex);
            slot->answer = std::move(answer);
        }
        slot->answered.notify_all();
    });
    std::unique_lock lock(slot->mutex);
    slot->answered.wait(lock, stop, [&slot] { return slot->answer.has_value(); });
    return std::move(slot->answer);
}

} // namespace hoplot
