#include "geolocation/position_cache.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "geo_test.h"

namespace hoplot {
namespace {

std::string name_at(const position_cache& cache, const char* address) {
    const auto entry = cache.lookup(address);
    return entry ? entry->name : "(none)";
}

TEST(read_cache_key, accepts_one_to_four_numbers_in_range_and_nothing_else) {
    const std::pair<const char*, std::array<std::int32_t, 4>> accepted[] = {
        {"10", {10, 0, 0, 0}},
        {"010.001", {10, 1, 0, 0}},
        {"192.168.7", {192, 168, 7, 0}},
        {"255.0.255.1", {255, 0, 255, 1}},
    };
    for (const auto& [text, numbers] : accepted) {
        const auto key = read_cache_key(text);
        ASSERT_TRUE(key) << text;
        EXPECT_EQ(key->numbers, numbers) << text;
        EXPECT_EQ(key->parts, std::count(text, text + std::strlen(text), '.') + 1) << text;
    }
    for (const char* refused : {"1.2.3.4.5", "256", "10.1.300.4", "99999999999999.1", "-1.2",
                                "10..1", "10.1.", ".10", "gw1.example.net", "10.1a", ""})
        EXPECT_FALSE(read_cache_key(refused)) << refused;
}

TEST(position_cache, most_specific_entry_wins_and_an_equal_key_replaces) {
    // A prefix matches whole numbers, not digits; the host 10.1.0.0 is not the network 10.1.
    const std::pair<const char*, const char*> lookups[] = {
        {"10.1.2.3", "host"},   {"10.1.2.7", "net10.1.2"}, {"10.1.9.9", "net10.1"},
        {"10.1.0.0", "host0"},  {"10.5.5.5", "net10"},     {"10.12.2.3", "net10"},
        {"11.1.2.3", "(none)"}, {"100.1.2.3", "(none)"},
    };
    // Inserted shortest first and longest first: the answers must not depend on the order.
    for (const bool longest_first : {false, true}) {
        position_cache cache;
        std::vector<std::pair<const char*, const char*>> entries = {
            {"10", "net10"},         {"10.1", "old"},      {"10.1.0.0", "host0"},
            {"10.1.2", "net10.1.2"}, {"10.1.2.3", "host"},
        };
        if (longest_first) std::reverse(entries.begin(), entries.end());
        using enum cache_insert_result;
        for (const auto& [address, name] : entries)
            EXPECT_EQ(cache.insert(address, name, 1, "North", 1, "East"), added);
        EXPECT_EQ(cache.insert("10.1", "net10.1", 2, "South", 2, "West"), replaced);
        EXPECT_EQ(cache.insert("10.1.2.3.4", "bad", 1, "North", 1, "East"), skipped);
        EXPECT_EQ(cache.size(), 5u);

        for (const auto& [address, name] : lookups)
            EXPECT_EQ(name_at(cache, address), name) << address;
        const auto network = cache.lookup("10.1.200.3"); // reports its own key
        EXPECT_EQ(network->address, (std::array<std::int32_t, 4>{10, 1, 0, 0}));
        EXPECT_EQ(network->parts, 2);
        EXPECT_EQ(location_text(*network), location_text(position(2, "South", 2, "West")));
    }
}

TEST(position_cache, ipv6_longest_prefix_wins_beside_ipv4_entries) {
    const std::pair<const char*, const char*> lookups[] = {
        {"2001:db8:100::1", "host"},       {"2001:DB8:100:0::1", "host"}, // any text form
        {"2001:db8:100::2", "net/48"},     {"2001:db8:1ff:ffff::1", "net/40"},
        {"2001:db8:200::1", "net/32"},     {"2001:db9::1", "everything"},
        {"2001:db8:100::/48", "(none)"},   {"10.0.0.1", "net10"}, // no mixing of families
        {"::ffff:10.0.0.1", "everything"},
    };
    for (const bool longest_first : {false, true}) {
        position_cache cache;
        std::vector<std::pair<const char*, const char*>> entries = {
            {"::/0", "everything"},          {"10", "net10"},
            {"2001:db8::/32", "net/32"},     {"2001:db8:1ab:cdef::/40", "old"}, // host bits dropped
            {"2001:db8:100::/48", "net/48"}, {"2001:db8:100::1", "host"},
        };
        if (longest_first) std::reverse(entries.begin(), entries.end());
        using enum cache_insert_result;
        for (const auto& [address, name] : entries)
            EXPECT_EQ(cache.insert(address, name, 1, "North", 1, "East"), added) << address;
        EXPECT_EQ(cache.insert("2001:db8:100::/40", "net/40", 1, "North", 1, "East"), replaced);
        EXPECT_EQ(cache.insert("2001:db8:100::1/128", "host", 1, "North", 1, "East"), replaced);
        for (const char* bad : {"2001:db8::/129", "2001:db8::/", "2001:db8::/4x", "2001:db8:::1",
                                "10.0.0.0/8", "2001:db8::1 "})
            EXPECT_EQ(cache.insert(bad, "bad", 1, "North", 1, "East"), skipped) << bad;
        EXPECT_EQ(cache.size(), 6u);
        for (const auto& [address, name] : lookups)
            EXPECT_EQ(name_at(cache, address), name) << address;
        cache.clear();
        EXPECT_EQ(name_at(cache, "2001:db8:100::1"), "(none)");
    }
}

// Replacements on one thread while another reads: every answer is one of the written values,
// never a torn or freed one (ASan sees a use after free if the lock or the copy goes).
TEST(position_cache, concurrent_replacement_and_lookup) {
    position_cache cache;
    const std::string first(64, 'x'), second(64, 'y');
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
