#include "geolocation/cache_files.h"

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "geo_test.h"
#include "support/recording_progress.h"

namespace hoplot {
namespace {

class cache_files_test : public geo_test {
  protected:
    std::string update_file() const { return data.path() + "cache_files/update.cache"; }
    static std::string user_update_file() {
        return std::string(getenv("XDG_DATA_HOME")) + "/Varn Software/Hoplot/update.cache";
    }
    // "name latitude word longitude word" of the cache's entry for the address; "" for none.
    std::string found_at(const char* address) const {
        const auto e = cache.lookup(address);
        char text[200] = "";
        if (e)
            std::snprintf(text, sizeof text, "%s %.4f %s %.4f %s", e->name.c_str(), e->latitude,
                          e->latitude_word.c_str(), e->longitude, e->longitude_word.c_str());
        return text;
    }

    position_cache cache;
    no_progress quiet;
};

// The three files read in load order: a later line with an equal key wins, a line that does not
// give its fields or whose address is no cache key is skipped without disturbing its neighbours.
TEST_F(cache_files_test, records_of_the_three_formats) {
    read_update_records(cache,
                        "172.16.0.1 a 37.5 n 122.25 w\n"
                        "172.16.0.2 b 37.5 N 122.25 E\n" // upper case reads as South and West
                        "172.16.0.3 c 37.5 n 122.25\n"   // five fields
                        "172.16.0.4 d 37.5\n"
                        "\n"
                        "192.168.2.3 mine 1.5 n 2.5 e\n"
                        "172.16.0.5 e 1 s 2 e\n"
                        "2001:db8::5 six 3 n 4 w",
                        quiet);
    read_hosts_records(cache,
                       "192.168.2.3 first 10 0N 20 0E\n"
                       "192.168.2.3 second 37 46N 122 25W\n"
                       "192.168.2.3.4 five 1 0N 1 0E\n"
                       "192.168.2.300 big 1 0N 1 0E\n"
                       "192.168.2.4\n"
                       "192.168.2.5 good 37 46 30N 122 25W\n"
                       "192.168.2.6 nosec 37 46N 122 25 10W\n"
                       "192.168.2.7 no-longitude 1 0N\n"
                       "2001:db8::7 v6host 37 46N 122 25W\n",
                       quiet);
    read_networks_records(cache,
                          "256 1 0N 1 0E toobig\n"
                          "10.1.2.3.4 1 0N 1 0E five\n"
                          "11.2 1 0N 1 0E\n" // no label
                          "10.1 1 0N 1 0E a\n"
                          "10.1 2 0S 2 0W b\n"
                          "10 48 51N 2 21E backbone\n"
                          "2001:db8:100::/40 52 31N 13 24E berlin\n"
                          "2001:db8:200::/40 52 31N 13 24E\n" // no label
                          "2001:db8::/129 1 0N 1 0E toolong\n",
                          quiet);
    const std::pair<const char*, const char*> rows[] = {
        {"172.16.0.1", "a 37.5000 North 122.2500 West"},
        {"172.16.0.2", "b 37.5000 South 122.2500 West"},
        {"172.16.0.3", ""},
        {"172.16.0.4", ""},
        {"172.16.0.5", "e 1.0000 South 2.0000 East"},
        {"192.168.2.3", "second 37.7667 North 122.4167 West"},
        {"192.168.2.4", ""},
        {"192.168.2.5", "good 37.7750 North 122.4167 West"},
        {"192.168.2.6", "nosec 37.7667 North 122.4194 West"},
        {"192.168.2.7", "no-longitude 1.0000 North 0.0000 East"},
        {"10.1.2.3", "b 2.0000 South 2.0000 West"},
        {"10.2.0.1", "backbone 48.8500 North 2.3500 East"},
        {"11.2.0.1", ""},
        {"0.0.0.0", ""},
        {"2001:db8::5", "six 3.0000 North 4.0000 West"},
        {"2001:db8::7", "v6host 37.7667 North 122.4167 West"},
        {"2001:db8:1ff::9", "berlin 52.5167 North 13.4000 East"},
        {"2001:db8:200::9", ""},
    };
    for (const auto& [address, expected] : rows)
        EXPECT_EQ(found_at(address), expected) << address;
    EXPECT_EQ(cache.size(), 12u);
    // The user's fixes are told apart from the shipped files' entries, also when replaced.
    EXPECT_TRUE(cache.lookup("172.16.0.1")->fix);
    EXPECT_FALSE(cache.lookup("192.168.2.3")->fix || cache.lookup("10.1.2.3")->fix);
}

TEST_F(cache_files_test, start_up_loads_three_files_in_order_with_their_stages) {
    load_position_caches(data.path(), quiet); // a missing update.cache is normal
    EXPECT_EQ(messages, (std::vector<std::string>{"Error opening hosts file for caching",
                                                  "Error opening network file for caching"}));
    messages.clear();
    data.write("cache_files/update.cache", "10.1.2.3 mine 1 n 1 e\n10.7.7.7 kept 5 n 5 e\n");
    data.write("cache_files/hosts.cache", "10.1.2.3 shipped 37 46N 122 25W\n");
    data.write("cache_files/networks.cache", std::string(380, ' ') + "\n10.1 1 0N 1 0E net\n");
    test::recording_progress progress;
    load_position_caches(data.path(), progress);
    // The shipped host line replaces the user's fix of the same address at start-up.
    EXPECT_EQ(cache_lookup("10.1.2.3")->name, "shipped");
    EXPECT_EQ(cache_lookup("10.7.7.7")->name, "kept");
    EXPECT_EQ(cache_lookup("10.1.5.5")->name, "net");
    EXPECT_EQ(app_position_cache().size(), 3u);
    const std::vector<std::string> expected = {"Loading update cache",   "range 0",
                                               "Loading hosts cache",    "range 0",
                                               "Loading networks cache", "range 10"};
    EXPECT_EQ(progress.events, expected);
    EXPECT_EQ(progress.steps, 2 + 1 + 2);
    data.write("cache_files/hosts.cache", ""); // empty is not missing
    load_position_caches(data.path(), quiet);
    EXPECT_TRUE(messages.empty());
}

// A fix is written so that it reads back and holds at once; one that the file could not read
// back (an empty or blank-containing text, an address that is no cache key) is refused.
TEST_F(cache_files_test, append_update_writes_what_reads_back_and_refuses_the_rest) {
    const position_fix refused[] = {
        {"gw1", "10.1.2.3", "", "North", "1", "East"},
        {"gw1", "10.1.2.3", "1", "North", "", "East"},
        {"gw 1", "10.1.2.3", "1", "North", "1", "East"},
        {"gw1", "10.1.2.3.4", "1", "North", "1", "East"},
        {"gw1", "2001:db8:::1", "1", "North", "1", "East"},
        {"gw1", "10.1.2.3", "1", "", "1", "East"},
    };
    for (const position_fix& fix : refused)
        EXPECT_FALSE(append_update(cache, update_file(), fix));
    EXPECT_FALSE(std::filesystem::exists(update_file()));
    EXPECT_EQ(cache.size(), 0u);

    EXPECT_TRUE(append_update(cache, update_file(),
                              {"gw1.example.net", "10.1.2.3", "37.46", "North", "122.5", "West"}));
    EXPECT_TRUE(append_update(cache, update_file(), {"", "10.1.2.4", "5", "South", "6", "East"}));
    EXPECT_TRUE(
        append_update(cache, update_file(), {"c", "10.1.2.5", " 5.50", "North", "6", "East"}));
    EXPECT_TRUE(
        append_update(cache, update_file(), {"", "2001:db8::6", "7", "North", "8", "West"}));
    EXPECT_EQ(read_text_file(update_file()),
              "10.1.2.3 gw1.example.net 37.46 n 122.5 w\n10.1.2.4 10.1.2.4 5 s 6 e\n"
              "10.1.2.5 c  5.50 n 6 e\n2001:db8::6 2001:db8::6 7 n 8 w\n");
    EXPECT_EQ(found_at("10.1.2.3"), "gw1.example.net 37.4600 North 122.5000 West");
    EXPECT_TRUE(cache.lookup("10.1.2.3")->fix);
    cache.clear();
    load_update_cache(cache, update_file(), quiet);
    EXPECT_EQ(found_at("10.1.2.4"), "10.1.2.4 5.0000 South 6.0000 East");
    EXPECT_EQ(found_at("10.1.2.5"), "c 5.5000 North 6.0000 East");
    EXPECT_EQ(found_at("2001:db8::6"), "2001:db8::6 7.0000 North 8.0000 West");
    EXPECT_TRUE(messages.empty());
}

TEST_F(cache_files_test, unwritable_update_file_is_reported_and_fix_still_holds) {
    // A directory in the file's place cannot be opened for appending, even by root; a FIFO
    // without a reader would make the writer wait.
    const std::pair<const char*, std::function<void()>> places[] = {
        {"directory", [this] { std::filesystem::create_directories(update_file()); }},
        {"fifo", [this] { ASSERT_EQ(::mkfifo(update_file().c_str(), 0600), 0); }}};
    for (const auto& [kind, make] : places) {
        SCOPED_TRACE(kind);
        std::filesystem::remove_all(update_file());
        messages.clear();
        make();
        bool stored = false;
        EXPECT_TRUE(returns_without_waiting(update_file(), [&] {
            stored =
                append_update(cache, update_file(), {"gw1", "10.1.2.3", "1", "North", "2", "East"});
        }));
        EXPECT_TRUE(stored);
        EXPECT_EQ(messages, std::vector<std::string>{"Can't write to file " + update_file()});
        EXPECT_EQ(found_at("10.1.2.3"), "gw1 1.0000 North 2.0000 East");
    }
}

// Without a cache_files directory to write into, or with a system-wide installation's
// update.cache that the user cannot write, the user's own file is read after it, wins over it and
// takes the new fixes. (Root may write any file, so the writability is given.)
TEST_F(cache_files_test, fixes_go_to_the_users_file_where_the_data_directorys_is_not_writable) {
    const std::string user_file = user_update_file();
    ASSERT_EQ(update_cache_paths(data.path()), (std::vector{update_file(), user_file}));
    EXPECT_TRUE(append_update(data.path(), {"gw1", "10.1.2.3", "12.5", "North", "3", "West"}));
    EXPECT_EQ(read_text_file(user_file), "10.1.2.3 gw1 12.5 n 3 w\n");
    load_position_caches(data.path(), quiet);
    EXPECT_EQ(cache_lookup("10.1.2.3")->latitude, 12.5);

    data.write("cache_files/update.cache", "10.1.2.3 shipped 1 n 1 e\n10.5.5.5 kept 2 n 2 e\n");
    EXPECT_EQ(update_cache_paths(data.path()), std::vector{update_file()});
    EXPECT_EQ(update_cache_paths(data.path(), true), std::vector{update_file()});
    const auto paths = update_cache_paths(data.path(), false);
    ASSERT_EQ(paths, (std::vector{update_file(), user_file}));
    for (const std::string& path : paths)
        load_update_cache(cache, path, quiet);
    EXPECT_EQ(found_at("10.1.2.3"), "gw1 12.5000 North 3.0000 West");
    EXPECT_EQ(found_at("10.5.5.5"), "kept 2.0000 North 2.0000 East");
    EXPECT_TRUE(append_update(cache, paths.back(), {"gw", "10.7.7.7", "4", "South", "4", "West"}));
    EXPECT_EQ(read_text_file(user_file), "10.1.2.3 gw1 12.5 n 3 w\n10.7.7.7 gw 4 s 4 w\n");
    std::filesystem::remove(user_file);
}

// A word field longer than 255 bytes spoils its line; it is not read on as the next field.
TEST_F(cache_files_test, a_line_with_an_over_long_field_is_skipped) {
    const std::string longest(255, 'x'), over(256, 'x');
    read_hosts_records(
        cache, "10.1.2.3 " + over + " 37 46N 122 25W\n10.1.2.4 " + longest + " 1 0N 1 0E\n", quiet);
    read_networks_records(cache, "11 1 0N 1 0E " + over + "\n12 1 0N 1 0E " + longest + "\n",
                          quiet);
    read_update_records(cache,
                        "10.1.2.5 " + over + " 1 n 2 e\n10.1.2.6 a 1" + over + " n 2 e\n" +
                            "10.1.2.7 " + longest + " 1 n 2 e\n",
                        quiet);
    for (const char* skipped : {"10.1.2.3", "11.0.0.1", "10.1.2.5", "10.1.2.6"})
        EXPECT_FALSE(cache.lookup(skipped)) << skipped;
    for (const char* kept : {"10.1.2.4", "12.0.0.1", "10.1.2.7"})
        EXPECT_EQ(cache.lookup(kept)->name, longest) << kept;
}

// Start-up reads what it finds, and does not wait for a FIFO's writer.
TEST_F(cache_files_test, a_cache_file_that_is_no_regular_file_is_reported_at_once) {
    std::filesystem::create_directories(data.path() + "cache_files");
    const std::string fifo = data.path() + "cache_files/networks.cache";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(returns_without_waiting(fifo, [&] { load_networks_cache(cache, fifo, quiet); }));
    EXPECT_EQ(messages, std::vector<std::string>{"Error opening network file for caching"});
}

} // namespace
} // namespace hoplot
