#include "cli/locate.h"

#include <gtest/gtest.h>
#include <vector>

#include "geolocation/geoip_source.h"
#include "geolocation/position_cache.h"
#include "geolocation/scratch_dir.h"
#include "geolocation/test_mmdb.h"
#include "shell/settings.h"
#include "shell/show_message.h"

namespace hoplot {
namespace {

// --locate against a data directory of its own: cache files and a GeoIP database.
class locate_test : public ::testing::Test {
  protected:
    void SetUp() override {
        old_settings_ = app_settings();
        old_handler_ =
            set_message_handler([this](const std::string& text) { messages.push_back(text); });
        data.write("cache_files/hosts.cache", "10.1.2.3 gw1.example.net 37 46N 122 25W\n");
        data.write("cache_files/networks.cache", "10.1 51 30N 0 7W campus\n");
        using namespace test_mmdb::encode;
        test_mmdb::writer db;
        db.add("81.2.69.0", 24,
               map({{"latitude", float32(-33.5f)}, {"longitude", float32(151.25f)}}));
        app_settings().db_path = data.path();
        app_settings().rfc1876 = 0;
        app_settings().use_geoip = 1;
        app_settings().geoip_database = data.write("test.mmdb", db.build());
        app_position_cache().clear();
    }
    void TearDown() override {
        app_settings() = old_settings_;
        open_geoip_source();
        app_position_cache().clear();
        set_message_handler(old_handler_);
    }

    // The exit status and what went to standard output.
    std::pair<int, std::string> locate(const std::vector<std::string>& args) {
        testing::internal::CaptureStdout();
        const int status = run_locate(args);
        return {status, testing::internal::GetCapturedStdout()};
    }

    scratch_dir data;
    std::vector<std::string> messages;

  private:
    settings old_settings_;
    message_handler old_handler_;
};

// "x\ty" of a position in map units.
std::string grid(double latitude, const char* latitude_word, double longitude,
                 const char* longitude_word) {
    entry_t entry;
    entry.latitude = latitude;
    entry.latitude_word = latitude_word;
    entry.longitude = longitude;
    entry.longitude_word = longitude_word;
    const map_point at = to_map_units(entry);
    return std::to_string(at.x) + "\t" + std::to_string(at.y);
}

TEST_F(locate_test, prints_one_tab_separated_line_per_source) {
    struct row {
        std::vector<std::string> args;
        std::string line;
    };
    const std::string degree = "\u00B0";
    const row rows[] = {
        {{"10.1.2.3", "gw1.example.net"},
         "   37.77" + degree + " North,   122.42" + degree + " West\t" +
             grid(37 + 46 / 60.0, "North", 122 + 25 / 60.0, "West") +
             "\t0\tcache\tgw1.example.net\n"},
        {{"10.1.9.9"},
         "   51.50" + degree + " North,     0.12" + degree + " West\t" +
             grid(51.5, "North", 7 / 60.0, "West") + "\t0\tcache\t\n"},
        {{"81.2.69.160", "host"},
         "   33.50" + degree + " South,   151.25" + degree + " East\t" +
             grid(33.5, "South", 151.25, "East") + "\t0\tgeoip\thost\n"},
        {{"192.0.2.1", "nowhere.example.com"}, "Unresolved\t\t\t0\tnone\tnowhere.example.com\n"},
    };
    for (const row& r : rows) {
        const auto [status, out] = locate(r.args);
        EXPECT_EQ(status, 0) << r.args[0];
        EXPECT_EQ(out, r.line) << r.args[0];
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(locate_test, bad_usage_prints_nothing_and_exits_2) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"example.org"}, {"10.1.2"}, {"10.1.2.3", "a", "b"}}) {
        const auto [status, out] = locate(args);
        EXPECT_EQ(status, 2);
        EXPECT_EQ(out, "");
    }
}

} // namespace
} // namespace hoplot
