#include "geolocation/position_cache.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "geo_test.h"

namespace hoplot {
namespace {

std::string name_at(const position_cache& cache, const char* address) {
    const auto entry = cache.lookup(address);
    return entry ? entry->name : "(none)";
}

TEST(read_cache_key, accepts_one_to_four_numbers_in_range_and_nothing_else) {
    const struct {
        const char* text;
        int parts;
        std::array<std::int32_t, 4> numbers;
    } rows[] = {
        {"10", 1, {10, 0, 0, 0}},
        {"010.001", 2, {10, 1, 0, 0}},
        {"192.168.7", 3, {192, 168, 7, 0}},
        {"255.0.255.1", 4, {255, 0, 255, 1}},
    };
    for (const auto& r : rows) {
        const auto key = read_cache_key(r.text);
        ASSERT_TRUE(key) << r.text;
        EXPECT_EQ(key->parts, r.parts) << r.text;
        EXPECT_EQ(key->numbers, r.numbers) << r.text;
    }
    for (const char* refused : {"1.2.3.4.5", "256", "10.1.300.4", "99999999999999.1", "-1.2",
                                "10..1", "10.1.", ".10", "gw1.example.net", "10.1a", ""})
        EXPECT_FALSE(read_cache_key(refused)) << refused;
}

TEST(position_cache, most_specific_entry_wins_whatever_the_insert_order) {
    for (const bool longest_first : {false, true}) {
        position_cache cache;
        std::vector<std::pair<const char*, const char*>> entries = {
            {"10", "net10"}, {"10.1", "net10.1"}, {"10.1.2", "net10.1.2"}, {"10.1.2.3", "host"}};
        if (longest_first) std::reverse(entries.begin(), entries.end());
        for (const auto& [address, name] : entries)
            EXPECT_EQ(cache.insert(address, name, 1, "North", 2, "East"),
                      cache_insert_result::added);

        EXPECT_EQ(name_at(cache, "10.1.2.3"), "host");
        EXPECT_EQ(name_at(cache, "10.1.2.7"), "net10.1.2");
        EXPECT_EQ(name_at(cache, "10.1.9.9"), "net10.1");
        EXPECT_EQ(name_at(cache, "10.5.5.5"), "net10");
        EXPECT_EQ(name_at(cache, "11.1.2.3"), "(none)");
        // A prefix must match whole numbers, not digits: 10.1 is no prefix of 10.12.x.x.
        EXPECT_EQ(name_at(cache, "10.12.2.3"), "net10");
        EXPECT_EQ(name_at(cache, "100.1.2.3"), "(none)");
        const auto network = cache.lookup("10.1.200.3"); // reports its own key
        EXPECT_EQ(network->address, (std::array<std::int32_t, 4>{10, 1, 0, 0}));
        EXPECT_EQ(network->parts, 2);
    }
}

TEST(position_cache, equal_key_replaces_other_lengths_stay_and_bad_keys_are_skipped) {
    position_cache cache;
    EXPECT_EQ(cache.insert("10.1", "old", 1, "North", 1, "East"), cache_insert_result::added);
    EXPECT_EQ(cache.insert("10.1.0.0", "host", 3, "North", 3, "East"), cache_insert_result::added);
    EXPECT_EQ(cache.insert("10.1", "new", 2, "South", 2, "West"), cache_insert_result::replaced);
    EXPECT_EQ(cache.insert("10.1.2.3.4", "bad", 1, "North", 1, "East"),
              cache_insert_result::skipped);
    EXPECT_EQ(cache.size(), 2u);
    const auto network = cache.lookup("10.1.5.5");
    ASSERT_TRUE(network);
    EXPECT_EQ(network->name, "new");
    EXPECT_EQ(location_text(*network), location_text(position(2, "South", 2, "West")));
    // The four-number key 10.1.0.0 is a host, not the network 10.1.
    EXPECT_EQ(name_at(cache, "10.1.0.0"), "host");
}

// Replacements on one thread while another reads: every answer is one of the written values,
// never a torn or freed one (ASan sees a use after free if the lock or the copy goes).
TEST(position_cache, concurrent_replacement_and_lookup) {
    position_cache cache;
    const std::string first(64, 'x');
    const std::string second(64, 'y');
    cache.insert("10.1.2.3", first, 1, "North", 1, "East");
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i)
            cache.insert("10.1.2.3", i % 2 ? first : second, i % 2 ? 1 : 2, "North", 1, "East");
        stop = true;
    });
    int bad = 0;
    while (!stop) {
        const auto entry = cache.lookup("10.1.2.3");
        if (!entry || !((entry->name == first && entry->latitude == 1) ||
                        (entry->name == second && entry->latitude == 2)))
            ++bad;
    }
    writer.join();
    EXPECT_EQ(bad, 0);
}

} // namespace
} // namespace hoplot
