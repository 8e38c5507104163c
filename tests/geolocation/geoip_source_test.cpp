#include "geolocation/geoip_source.h"

#include <gtest/gtest.h>
#include <vector>

#include "scratch_dir.h"
#include "shell/settings.h"
#include "shell/show_message.h"
#include "test_mmdb.h"

namespace hoplot {
namespace {

using namespace test_mmdb::encode;

// DB-IP Lite files: flat keys, coordinates as float.
std::string flat_database() {
    test_mmdb::writer db;
    db.add("81.2.69.0", 24,
           map({{"city", text("London")},
                {"country_code", text("GB")},
                {"latitude", float32(51.5085f)},
                {"longitude", float32(-0.1257f)}}));
    db.add("1.128.0.0", 11,
           map({{"latitude", float32(-33.8688f)}, {"longitude", float32(151.209f)}}));
    db.add("2.2.2.0", 24, map({{"country_code", text("FR")}})); // position unknown
    return db.build();
}

// GeoLite2 City files: coordinates under "location", as double.
std::string nested_database() {
    test_mmdb::writer db;
    db.add("89.160.20.0", 24,
           map({{"city", map({{"names", map({{"en", text("Linkoping")}})}})},
                {"location", map({{"accuracy_radius", unsigned_number(uint16_type, 100)},
                                  {"latitude", float64(58.4167)},
                                  {"longitude", float64(15.6167)}})}}));
    db.add(
        "175.16.199.0", 24,
        map({{"location", map({{"latitude", float64(43.88)}, {"longitude", float64(125.3228)}})}}));
    return db.build();
}

struct expected_place {
    const char* address;
    bool found;
    double latitude;
    const char* latitude_word;
    double longitude;
    const char* longitude_word;
};

void expect_places(const geoip_database& db, const std::vector<expected_place>& places) {
    for (const auto& p : places) {
        const auto entry = db.lookup(p.address);
        ASSERT_EQ(entry.has_value(), p.found) << p.address;
        if (!p.found) continue;
        EXPECT_NEAR(entry->latitude, p.latitude, 1e-4) << p.address;
        EXPECT_EQ(entry->latitude_word, p.latitude_word) << p.address;
        EXPECT_NEAR(entry->longitude, p.longitude, 1e-4) << p.address;
        EXPECT_EQ(entry->longitude_word, p.longitude_word) << p.address;
        EXPECT_EQ(entry->parts, 4);
        EXPECT_EQ(entry->address, address_numbers(p.address));
    }
}

TEST(geoip_database, reads_the_flat_schema) {
    scratch_dir dir;
    const auto db = geoip_database::open(dir.write("flat.mmdb", flat_database()));
    ASSERT_TRUE(db);
    expect_places(*db, {
                           {"81.2.69.160", true, 51.5085, "North", 0.1257, "West"},
                           {"81.2.69.0", true, 51.5085, "North", 0.1257, "West"},
                           {"1.159.255.255", true, 33.8688, "South", 151.209, "East"},
                           {"1.160.0.0", false, 0, "", 0, ""},
                           {"81.2.70.1", false, 0, "", 0, ""},
                           {"2.2.2.2", false, 0, "", 0, ""}, // record without coordinates
                       });
}

TEST(geoip_database, reads_the_geolite2_schema) {
    scratch_dir dir;
    const auto db = geoip_database::open(dir.write("nested.mmdb", nested_database()));
    ASSERT_TRUE(db);
    expect_places(*db, {
                           {"89.160.20.112", true, 58.4167, "North", 15.6167, "East"},
                           {"175.16.199.1", true, 43.88, "North", 125.3228, "East"},
                           {"10.0.0.1", false, 0, "", 0, ""},
                       });
}

TEST(geoip_database, only_dotted_ipv4_addresses_are_looked_up) {
    scratch_dir dir;
    const auto db = geoip_database::open(dir.write("flat.mmdb", flat_database()));
    ASSERT_TRUE(db);
    for (const char* address :
         {"", "localhost", "81.2.69", "::ffff:81.2.69.160", "2001:db8::1", "81.2.69.160 "})
        EXPECT_FALSE(db->lookup(address)) << address;
}

TEST(geoip_database, files_that_are_no_database_do_not_open) {
    scratch_dir dir;
    EXPECT_FALSE(geoip_database::open(dir.path() + "missing.mmdb"));
    EXPECT_FALSE(geoip_database::open(dir.write("text.mmdb", "hosts 10.1.2.3\n")));
    const std::string whole = flat_database();
    EXPECT_FALSE(geoip_database::open(dir.write("cut.mmdb", whole.substr(0, whole.size() / 2))));
    EXPECT_FALSE(geoip_database::open(dir.path()));
}

class geoip_source_test : public ::testing::Test {
  protected:
    void SetUp() override {
        old_handler_ =
            set_message_handler([this](const std::string& text) { messages.push_back(text); });
        old_settings_ = app_settings();
        app_settings().db_path = data.path();
        app_settings().use_geoip = 1;
        app_settings().geoip_database.clear();
    }
    void TearDown() override {
        app_settings() = old_settings_;
        open_geoip_source();
        set_message_handler(old_handler_);
    }

    scratch_dir data;
    std::vector<std::string> messages;

  private:
    message_handler old_handler_;
    settings old_settings_;
};

TEST_F(geoip_source_test, default_database_is_the_fetched_one_in_the_data_directory) {
    if (std::filesystem::exists("/usr/share/GeoIP/GeoLite2-City.mmdb") ||
        std::filesystem::exists("/var/lib/GeoIP/GeoLite2-City.mmdb"))
        GTEST_SKIP() << "a system GeoLite2 database is installed";
    EXPECT_EQ(default_geoip_database(data.path()), "");
    open_geoip_source();
    EXPECT_FALSE(geoip_lookup("81.2.69.160"));
    EXPECT_TRUE(messages.empty()); // no database anywhere: quietly off

    const std::string fetched = data.write("geoip/dbip-city-ipv4.mmdb", flat_database());
    EXPECT_EQ(default_geoip_database(data.path()), fetched);
    open_geoip_source();
    EXPECT_TRUE(geoip_lookup("81.2.69.160"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(geoip_source_test, setting_names_the_database_and_use_geoip_switches_it) {
    data.write("geoip/dbip-city-ipv4.mmdb", flat_database());
    app_settings().geoip_database = data.write("other.mmdb", nested_database());
    open_geoip_source();
    EXPECT_FALSE(geoip_lookup("81.2.69.160"));
    EXPECT_TRUE(geoip_lookup("89.160.20.112"));

    app_settings().use_geoip = 0;
    open_geoip_source();
    EXPECT_FALSE(geoip_lookup("89.160.20.112"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(geoip_source_test, unopenable_database_is_reported_once_and_skipped) {
    app_settings().geoip_database = data.write("broken.mmdb", "not a database");
    open_geoip_source();
    open_geoip_source();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Can't open GeoIP database " + app_settings().geoip_database);
    EXPECT_FALSE(geoip_lookup("81.2.69.160"));
}

} // namespace
} // namespace hoplot
