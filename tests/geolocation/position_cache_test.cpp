#include "geolocation/position_cache.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace hoplot {
namespace {

std::string name_at(const position_cache& cache, const char* address) {
    const auto entry = cache.lookup(address);
    return entry ? entry->name : "(none)";
}

TEST(read_cache_key, accepts_one_to_four_numbers_in_range_and_nothing_else) {
    struct row {
        const char* text;
        int parts; // 0: refused
        std::array<std::int32_t, 4> numbers;
    };
    const row rows[] = {
        {"10", 1, {10, 0, 0, 0}},
        {"10.1", 2, {10, 1, 0, 0}},
        {"192.168.7", 3, {192, 168, 7, 0}},
        {"255.0.255.1", 4, {255, 0, 255, 1}},
        {"010.001", 2, {10, 1, 0, 0}},
        {"1.2.3.4.5", 0, {}},
        {"256", 0, {}},
        {"10.1.300.4", 0, {}},
        {"99999999999999.1", 0, {}},
        {"-1.2", 0, {}},
        {"10..1", 0, {}},
        {"10.1.", 0, {}},
        {".10", 0, {}},
        {"gw1.example.net", 0, {}},
        {"10.1a", 0, {}},
        {"", 0, {}},
    };
    for (const row& r : rows) {
        const auto key = read_cache_key(r.text);
        if (r.parts == 0) {
            EXPECT_FALSE(key) << r.text;
            continue;
        }
        ASSERT_TRUE(key) << r.text;
        EXPECT_EQ(key->parts, r.parts) << r.text;
        EXPECT_EQ(key->numbers, r.numbers) << r.text;
    }
}

TEST(position_cache, most_specific_entry_wins_whatever_the_insert_order) {
    // Inserted shortest first and longest first: the answers must not depend on the order.
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
    }
}

TEST(position_cache, entry_reports_its_own_key_and_position) {
    position_cache cache;
    cache.insert("10.1", "campus", 37.77, "North", 122.42, "West");
    const auto entry = cache.lookup("10.1.200.3");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->parts, 2);
    EXPECT_EQ(entry->address, (std::array<std::int32_t, 4>{10, 1, 0, 0}));
    EXPECT_EQ(entry->latitude, 37.77);
    EXPECT_EQ(entry->longitude, 122.42);
    EXPECT_EQ(entry->latitude_word, "North");
    EXPECT_EQ(entry->longitude_word, "West");
    EXPECT_EQ(to_map_units(*entry), (map_point{10482, 19016}));
}

TEST(position_cache, equal_key_replaces_but_other_lengths_stay) {
    position_cache cache;
    EXPECT_EQ(cache.insert("10.1", "old", 1, "North", 1, "East"), cache_insert_result::added);
    EXPECT_EQ(cache.insert("10.1.0.0", "host", 3, "North", 3, "East"), cache_insert_result::added);
    EXPECT_EQ(cache.insert("10.1", "new", 2, "South", 2, "West"), cache_insert_result::replaced);
    EXPECT_EQ(cache.size(), 2u);

    const auto network = cache.lookup("10.1.5.5");
    ASSERT_TRUE(network);
    EXPECT_EQ(network->name, "new");
    EXPECT_EQ(network->latitude_word, "South");
    EXPECT_EQ(network->longitude_word, "West");
    // The four-number key 10.1.0.0 is a host, not the network 10.1.
    EXPECT_EQ(name_at(cache, "10.1.0.0"), "host");
}

TEST(position_cache, keys_that_do_not_fit_are_skipped_not_indexed) {
    position_cache cache;
    for (const char* bad : {"1.2.3.4.5", "300", "10.256", "router", "10.1.2.3.4"})
        EXPECT_EQ(cache.insert(bad, "bad", 1, "North", 1, "East"), cache_insert_result::skipped)
            << bad;
    EXPECT_EQ(cache.size(), 0u);
    // An unreadable key must not land under 0 either (the C library would read it as 0).
    EXPECT_FALSE(cache.lookup("0.1.2.3"));
    EXPECT_FALSE(cache.lookup("not-an-address"));
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
