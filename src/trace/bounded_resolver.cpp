#include "trace/bounded_resolver.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "base/task_pool.h"

namespace hoplot {
namespace {

using loc_source = decltype(location_sources::loc);

// At most this many LOC queries are asked at once; more wait their turn.
constexpr std::size_t concurrent_queries = 16;

struct loc_answer {
    std::string host_name; // the LOC source may name a nameless hop
    std::optional<entry_t> entry;
};

// The LOC answers by host name and address; an entry without a value is still being asked. The
// queries run on a pool of its own, stopped and joined when the last copy of the resolver goes.
struct loc_answers {
    std::mutex mutex;
    std::condition_variable arrived;
    std::map<std::pair<std::string, std::string>, std::optional<loc_answer>> by_hop;
    bool late = false; // the last wait ran out
    std::stop_source stop;
    task_pool queries{concurrent_queries}; // last: it goes first, while what it uses is there

    ~loc_answers() { stop.request_stop(); }

    void ask_in_background(loc_source loc, std::pair<std::string, std::string> hop) {
        queries.run([this, loc = std::move(loc), hop = std::move(hop)] {
            loc_answer answer{hop.first, {}};
            answer.entry = loc(answer.host_name, hop.second, stop.get_token());
            {
                std::lock_guard lock(mutex);
                by_hop[hop] = std::move(answer);
                late = false;
            }
            arrived.notify_all();
        });
    }
};

std::optional<loc_answer> loc_answer_for(loc_answers& answers, const loc_source& loc,
                                         const std::string& host_name, const std::string& address,
                                         std::chrono::milliseconds patience) {
    const std::pair<std::string, std::string> hop{host_name, address};
    std::unique_lock lock(answers.mutex);
    if (!answers.by_hop.contains(hop)) {
        answers.by_hop.emplace(hop, std::nullopt);
        answers.ask_in_background(loc, hop);
    }
    const auto wait = answers.late ? std::chrono::milliseconds(0) : patience;
    const bool answered =
        answers.arrived.wait_for(lock, wait, [&] { return answers.by_hop[hop].has_value(); });
    if (!answered) answers.late = true;
    return answers.by_hop[hop];
}

} // namespace

trace_store::resolver bounded_resolver(std::chrono::milliseconds patience,
                                       std::function<location_sources()> sources) {
    auto answers = std::make_shared<loc_answers>();
    return [answers, patience, sources = std::move(sources)](std::string& host_name,
                                                             const std::string& address) {
        location_sources asked = sources();
        if (asked.loc) {
            const auto answer = loc_answer_for(*answers, asked.loc, host_name, address, patience);
            asked.loc = nullptr;
            if (answer) {
                asked.loc = [answer](std::string& name, const std::string&,
                                     const std::stop_token&) {
                    name = answer->host_name;
                    return answer->entry;
                };
            }
        }
        return resolve_location(host_name, address, asked);
    };
}

} // namespace hoplot
