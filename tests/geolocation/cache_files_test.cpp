#include "geolocation/cache_files.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

#include "scratch_dir.h"
#include "shell/data_dir.h"
#include "shell/settings.h"
#include "shell/show_message.h"

namespace hoplot {
namespace {

class recording_progress final : public loading_progress {
  public:
    void set_stage(const std::string& text) override { events.push_back("stage " + text); }
    void set_range(int maximum) override { events.push_back("range " + std::to_string(maximum)); }
    void advance() override { ++advances; }
    std::vector<std::string> events;
    int advances = 0;
};

// Records ShowMessage texts for the life of the test; resets the process-wide state it uses.
class cache_files_test : public ::testing::Test {
  protected:
    void SetUp() override {
        // The user's data directory goes into the scratch tree, never the real home.
        if (const char* old = std::getenv("XDG_DATA_HOME")) old_data_home_ = old;
        setenv("XDG_DATA_HOME", (user_home.path() + "data").c_str(), 1);
        old_handler_ =
            set_message_handler([this](const std::string& text) { messages.push_back(text); });
        app_position_cache().clear();
        old_settings_ = app_settings();
        app_settings().db_path = data.path();
    }
    void TearDown() override {
        set_message_handler(old_handler_);
        app_settings() = old_settings_;
        app_position_cache().clear();
        if (old_data_home_)
            setenv("XDG_DATA_HOME", old_data_home_->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }

    std::string name_at(const char* address) const {
        const auto entry = cache.lookup(address);
        return entry ? entry->name : "(none)";
    }

    scratch_dir user_home;
    scratch_dir data;
    position_cache cache;
    no_progress quiet;
    std::vector<std::string> messages;

  private:
    message_handler old_handler_;
    settings old_settings_;
    std::optional<std::string> old_data_home_;
};

TEST_F(cache_files_test, hosts_and_networks_lookups_by_longest_prefix) {
    read_hosts_records(cache, "10.1.2.3 gw1 37 46N 122 25W\n", quiet);
    read_networks_records(cache, "10.1 51 30N 0 7W campus\n10 48 51N 2 21E backbone\n", quiet);
    EXPECT_EQ(name_at("10.1.2.3"), "gw1");
    EXPECT_EQ(name_at("10.1.9.9"), "campus");
    EXPECT_EQ(name_at("10.2.0.1"), "backbone");
    EXPECT_EQ(name_at("11.0.0.1"), "(none)");

    const auto host = cache.lookup("10.1.2.3");
    EXPECT_NEAR(host->latitude, 37.7667, 1e-4);
    EXPECT_EQ(host->latitude_word, "North");
    EXPECT_NEAR(host->longitude, 122.4167, 1e-4);
    EXPECT_EQ(host->longitude_word, "West");
}

TEST_F(cache_files_test, later_line_with_equal_key_wins_within_and_across_files) {
    read_update_records(cache, "10.1.2.3 mine 1.5 n 2.5 e\n10.9.9.9 fix 3 s 4 w\n", quiet);
    read_hosts_records(cache,
                       "10.1.2.3 first 10 0N 20 0E\n"
                       "10.1.2.3 second 11 0N 21 0E\n",
                       quiet);
    read_networks_records(cache, "10.1 1 0N 1 0E a\n10.1 2 0S 2 0W b\n", quiet);
    EXPECT_EQ(name_at("10.1.2.3"), "second");
    EXPECT_EQ(cache.lookup("10.1.2.3")->latitude, 11);
    EXPECT_EQ(name_at("10.1.7.7"), "b");
    EXPECT_EQ(cache.lookup("10.1.7.7")->latitude_word, "South");
    EXPECT_EQ(name_at("10.9.9.9"), "fix");
}

TEST_F(cache_files_test, update_records_need_six_fields_and_read_letters_strictly) {
    read_update_records(cache,
                        "10.0.0.1 a 37.5 n 122.25 w\n"
                        "10.0.0.2 b 37.5 N 122.25 E\n" // upper case reads as South and West
                        "10.0.0.3 c 37.5 n 122.25\n"   // five fields: skipped
                        "10.0.0.4 d 37.5\n"
                        "\n"
                        "10.0.0.5 e 1 s 2 e",
                        quiet);
    const auto a = cache.lookup("10.0.0.1");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->latitude, 37.5);
    EXPECT_EQ(a->longitude, 122.25);
    EXPECT_EQ(a->latitude_word, "North");
    EXPECT_EQ(a->longitude_word, "West");
    const auto b = cache.lookup("10.0.0.2");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->latitude_word, "South");
    EXPECT_EQ(b->longitude_word, "West");
    EXPECT_FALSE(cache.lookup("10.0.0.3"));
    EXPECT_FALSE(cache.lookup("10.0.0.4"));
    EXPECT_EQ(name_at("10.0.0.5"), "e");
    EXPECT_EQ(cache.size(), 3u);
}

TEST_F(cache_files_test, bad_lines_are_skipped_without_disturbing_their_neighbours) {
    read_hosts_records(cache,
                       "10.1.2.3.4 five 1 0N 1 0E\n"
                       "10.1.2.300 big 1 0N 1 0E\n"
                       "10.1.2.3 missing-longitude 1 0N\n"
                       "10.1.2.4\n"
                       "10.1.2.5 good 37 46 30N 122 25W\n"
                       "10.1.2.6 nosec 37 46N 122 25 10W\n",
                       quiet);
    read_networks_records(cache,
                          "256 1 0N 1 0E toobig\n"
                          "10.1.2.3.4 1 0N 1 0E five\n"
                          "10.2 1 0N 1 0E\n" // no label
                          "10.3 3 0N 3 0E three\n",
                          quiet);
    EXPECT_EQ(name_at("10.1.2.5"), "good");
    EXPECT_NEAR(cache.lookup("10.1.2.5")->latitude, 37.775, 1e-9);
    EXPECT_NEAR(cache.lookup("10.1.2.6")->longitude, 122 + 25 / 60.0 + 10 / 3600.0, 1e-9);
    EXPECT_EQ(name_at("10.1.2.3"), "missing-longitude");
    EXPECT_EQ(name_at("10.1.2.4"), "(none)");
    EXPECT_EQ(name_at("10.2.0.1"), "(none)");
    EXPECT_EQ(name_at("10.3.0.1"), "three");
    EXPECT_EQ(name_at("0.0.0.0"), "(none)");
    EXPECT_EQ(cache.size(), 4u);
}

TEST_F(cache_files_test, start_up_loads_three_files_in_order_with_their_stages) {
    data.write("cache_files/update.cache", "10.1.2.3 mine 1 n 1 e\n10.7.7.7 kept 5 n 5 e\n");
    data.write("cache_files/hosts.cache", "10.1.2.3 shipped 37 46N 122 25W\n");
    data.write("cache_files/networks.cache", std::string(380, ' ') + "\n10.1 1 0N 1 0E net\n");
    recording_progress progress;
    load_position_caches(progress);

    // The shipped host line replaces the user's fix of the same address at start-up.
    EXPECT_EQ(cache_lookup("10.1.2.3")->name, "shipped");
    EXPECT_EQ(cache_lookup("10.7.7.7")->name, "kept");
    EXPECT_EQ(cache_lookup("10.1.5.5")->name, "net");
    const std::vector<std::string> expected = {"stage Loading update cache",   "range 0",
                                               "stage Loading hosts cache",    "range 0",
                                               "stage Loading networks cache", "range 10"};
    EXPECT_EQ(progress.events, expected);
    EXPECT_EQ(progress.advances, 2 + 1 + 2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(cache_files_test, missing_files_report_only_hosts_and_networks) {
    load_position_caches(quiet);
    const std::vector<std::string> expected = {"Error opening hosts file for caching",
                                               "Error opening network file for caching"};
    EXPECT_EQ(messages, expected);

    messages.clear();
    data.write("cache_files/hosts.cache", "");
    data.write("cache_files/networks.cache", "");
    load_position_caches(quiet);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(app_position_cache().size(), 0u);
}

TEST_F(cache_files_test, appended_fix_reads_back_and_holds_at_once) {
    const std::string path = data.path() + "cache_files/update.cache";
    EXPECT_TRUE(append_update(cache, path,
                              {"gw1.example.net", "10.1.2.3", "37.46", "North", "122.5", "West"}));
    EXPECT_TRUE(append_update(cache, path, {"", "10.1.2.4", "5", "South", "6", "East"}));
    EXPECT_EQ(read_text_file(path),
              "10.1.2.3 gw1.example.net 37.46 n 122.5 w\n10.1.2.4 10.1.2.4 5 s 6 e\n");
    EXPECT_EQ(name_at("10.1.2.3"), "gw1.example.net");

    position_cache reloaded;
    load_update_cache(reloaded, path, quiet);
    for (const char* address : {"10.1.2.3", "10.1.2.4"}) {
        const auto before = cache.lookup(address);
        const auto after = reloaded.lookup(address);
        ASSERT_TRUE(after) << address;
        EXPECT_EQ(after->latitude, before->latitude);
        EXPECT_EQ(after->longitude, before->longitude);
        EXPECT_EQ(after->latitude_word, before->latitude_word);
        EXPECT_EQ(after->longitude_word, before->longitude_word);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(cache_files_test, fix_that_would_not_read_back_is_refused) {
    const std::string path = data.path() + "cache_files/update.cache";
    const position_fix refused[] = {
        {"gw1", "10.1.2.3", "", "North", "1", "East"},
        {"gw1", "10.1.2.3", "1", "North", "", "East"},
        {"gw 1", "10.1.2.3", "1", "North", "1", "East"},
        {"gw1", "10.1.2.3.4", "1", "North", "1", "East"},
        {"gw1", "10.1.2.3", "1", "", "1", "East"},
    };
    for (const position_fix& fix : refused)
        EXPECT_FALSE(append_update(cache, path, fix));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(cache.size(), 0u);
}

TEST_F(cache_files_test, unwritable_update_file_is_reported_and_fix_still_holds) {
    // A directory in the file's place cannot be opened for appending, even by root.
    std::filesystem::create_directories(data.path() + "cache_files/update.cache");
    const std::string path = data.path() + "cache_files/update.cache";
    EXPECT_TRUE(append_update(cache, path, {"gw1", "10.1.2.3", "1", "North", "2", "East"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Can't write to file " + path);
    EXPECT_EQ(name_at("10.1.2.3"), "gw1");
}

TEST_F(cache_files_test, update_cache_lives_in_the_data_directory_when_writable) {
    std::filesystem::create_directories(data.path() + "cache_files");
    EXPECT_EQ(update_cache_path(data.path()), data.path() + "cache_files/update.cache");
}

TEST_F(cache_files_test, read_only_data_directory_keeps_fixes_in_the_user_directory) {
    // No cache_files directory to write into: the user's data directory takes the fixes,
    // and the next start reads them from there.
    const std::string user_file = user_data_dir() + "update.cache";
    ASSERT_EQ(update_cache_path(data.path()), user_file);
    EXPECT_EQ(user_file, user_home.path() + "data/Varn Software/Hoplot/update.cache");

    EXPECT_TRUE(append_update({"gw1", "10.1.2.3", "12.5", "North", "3", "West"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(read_text_file(user_file), "10.1.2.3 gw1 12.5 n 3 w\n");

    app_position_cache().clear();
    load_position_caches(quiet);
    const auto fix = cache_lookup("10.1.2.3");
    ASSERT_TRUE(fix);
    EXPECT_EQ(fix->latitude, 12.5);
}

} // namespace
} // namespace hoplot
