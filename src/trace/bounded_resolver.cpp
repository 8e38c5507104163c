#include "trace/bounded_resolver.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace hoplot {
namespace {

using loc_source = decltype(location_sources::loc);

struct loc_answer {
    std::string host_name; // the LOC source may name a nameless hop
    std::optional<entry_t> entry;
};

// The LOC answers by host name and address; an entry without a value is still being asked.
struct loc_answers {
    std::mutex mutex;
    std::condition_variable arrived;
    std::map<std::pair<std::string, std::string>, std::optional<loc_answer>> by_hop;
    bool late = false; // the last wait ran out
};

void ask_in_background(std::shared_ptr<loc_answers> answers, loc_source loc,
                       std::pair<std::string, std::string> hop) {
    std::thread([answers, loc = std::move(loc), hop = std::move(hop)] {
        loc_answer answer{hop.first, {}};
        answer.entry = loc(answer.host_name, hop.second);
        {
            std::lock_guard lock(answers->mutex);
            answers->by_hop[hop] = std::move(answer);
            answers->late = false;
        }
        answers->arrived.notify_all();
    }).detach();
}

std::optional<loc_answer> loc_answer_for(const std::shared_ptr<loc_answers>& answers,
                                         const loc_source& loc, const std::string& host_name,
                                         const std::string& address,
                                         std::chrono::milliseconds patience) {
    const std::pair<std::string, std::string> hop{host_name, address};
    std::unique_lock lock(answers->mutex);
    if (!answers->by_hop.contains(hop)) {
        answers->by_hop.emplace(hop, std::nullopt);
        ask_in_background(answers, loc, hop);
    }
    const auto wait = answers->late ? std::chrono::milliseconds(0) : patience;
    const bool answered =
        answers->arrived.wait_for(lock, wait, [&] { return answers->by_hop[hop].has_value(); });
    if (!answered) answers->late = true;
    return answers->by_hop[hop];
}

} // namespace

trace_store::resolver bounded_resolver(std::chrono::milliseconds patience,
                                       std::function<location_sources()> sources) {
    auto answers = std::make_shared<loc_answers>();
    return [answers, patience, sources = std::move(sources)](std::string& host_name,
                                                             const std::string& address) {
        location_sources asked = sources();
        if (asked.loc) {
            const auto answer = loc_answer_for(answers, asked.loc, host_name, address, patience);
            asked.loc = nullptr;
            if (answer) {
                asked.loc = [answer](std::string& name, const std::string&) {
                    name = answer->host_name;
                    return answer->entry;
                };
            }
        }
        return resolve_location(host_name, address, asked);
    };
}

} // namespace hoplot
