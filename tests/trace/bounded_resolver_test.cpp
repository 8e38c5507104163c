#include "trace/bounded_resolver.h"

#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace hoplot {
namespace {

using namespace std::chrono_literals;
using clock_type = std::chrono::steady_clock;

entry_t at_latitude(double latitude) {
    entry_t entry;
    entry.latitude = latitude;
    return entry;
}

// LOC answers at once for "near", only when released for "far" and "farther" (naming them),
// never for anything else; the cache places every hop.
struct bounded_resolver_test : ::testing::Test {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    trace_store::resolver resolve = bounded_resolver(1500ms, [this] {
        location_sources sources;
        sources.loc = [released = released](std::string& name, const std::string&,
                                            const std::stop_token&) -> std::optional<entry_t> {
            if (name == "near") return at_latitude(10);
            if (name != "far" && name != "farther") return std::nullopt;
            released.wait();
            name += ".example";
            return at_latitude(20);
        };
        sources.cache = [](const std::string&) { return at_latitude(30); };
        return sources;
    });

    ~bounded_resolver_test() override { release.set_value(); }

    // The source that placed the hop, how long it took and the name it left.
    std::tuple<location_source, clock_type::duration, std::string> place(std::string name) {
        const auto start = clock_type::now();
        const resolution where = resolve(name, "192.0.2.1");
        return {where.source, clock_type::now() - start, name};
    }
};

TEST_F(bounded_resolver_test, a_late_loc_answer_is_not_waited_for_but_kept_for_next_time) {
    EXPECT_EQ(std::get<0>(place("near")), location_source::loc);

    const auto [source, took, name] = place("far");
    EXPECT_EQ(source, location_source::cache);
    EXPECT_EQ(name, "far");
    EXPECT_GE(took, 1500ms);

    // One query was late: the next hop does not wait for its own at all.
    EXPECT_LT(std::get<1>(place("farther")), 1000ms);

    release.set_value();
    release = {};
    for (int i = 0; i < 200 && std::get<0>(place("far")) != location_source::loc; ++i)
        std::this_thread::sleep_for(10ms);
    const auto [later, took_later, renamed] = place("far");
    EXPECT_EQ(later, location_source::loc);
    EXPECT_EQ(renamed, "far.example");
    EXPECT_LT(took_later, 1000ms);
}

} // namespace
} // namespace hoplot
