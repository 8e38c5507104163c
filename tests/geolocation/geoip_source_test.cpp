#include "geolocation/geoip_source.h"

#include <fstream>
#include <sys/stat.h>

#include "base/data_dir.h"
#include "geo_test.h"
#include "test_mmdb.h"

namespace hoplot {
namespace {

using namespace test_mmdb;

// DB-IP Lite files: flat keys, coordinates as float.
std::string flat_database() {
    writer db;
    db.add("81.2.69.0", 24,
           map({{"city", text("London")},
                {"latitude", float32(51.5085f)},
                {"longitude", float32(-0.1257f)}}));
    db.add("1.128.0.0", 11,
           map({{"latitude", float32(-33.8688f)}, {"longitude", float32(151.209f)}}));
    db.add("2.2.2.0", 24, map({{"country_code", text("FR")}})); // position unknown
    return db.build();
}

// GeoLite2 City files: coordinates under "location", as double.
std::string nested_database() {
    writer db;
    db.add("89.160.20.0", 24,
           map({{"city", map({{"names", map({{"en", text("Linkoping")}})}})},
                {"location", map({{"accuracy_radius", number(uint16_type, 100, 1)},
                                  {"latitude", float64(58.4167)},
                                  {"longitude", float64(-15.6167)}})}}));
    return db.build();
}

// The DB-IP Lite IPv6 file.
std::string flat_database6() {
    writer db(6);
    db.add("2a02:c7f::", 32,
           map({{"latitude", float32(53.4808f)}, {"longitude", float32(-2.2426f)}}));
    db.add("::51.2.69.0", 120, map({{"latitude", float32(1.5f)}, {"longitude", float32(2.5f)}}));
    return db.build();
}

// An IPv4 database reads dotted IPv4 addresses only; an IPv6 one places both families.
TEST(geoip_database, reads_both_schemas_and_the_addresses_of_its_family) {
    scratch_dir dir;
    const auto flat = geoip_database::open(dir.write("flat.mmdb", flat_database()));
    const auto nested = geoip_database::open(dir.write("nested.mmdb", nested_database()));
    const auto six = geoip_database::open(dir.write("six.mmdb", flat_database6()));
    ASSERT_TRUE(flat && nested && six);
    EXPECT_FALSE(flat->holds_ipv6());
    EXPECT_TRUE(six->holds_ipv6());
    const std::string deg = degree_sign;
    const struct {
        const geoip_database& db;
        const char* address;
        std::string text; // empty: not placed
    } rows[] = {
        {*flat, "81.2.69.160", "   51.51" + deg + " North,     0.13" + deg + " West"},
        {*flat, "81.2.69.0", "   51.51" + deg + " North,     0.13" + deg + " West"},
        {*flat, "1.159.255.255", "   33.87" + deg + " South,   151.21" + deg + " East"},
        {*nested, "89.160.20.112", "   58.42" + deg + " North,    15.62" + deg + " West"},
        {*flat, "1.160.0.0", ""},
        {*flat, "81.2.70.1", ""},
        {*flat, "2.2.2.2", ""}, // a record without coordinates
        {*flat, "81.2.69", ""},
        {*flat, "81.2.69.160 ", ""},
        {*flat, "::ffff:81.2.69.160", ""},
        {*flat, "localhost", ""},
        {*six, "2a02:c7f:1234::1", "   53.48" + deg + " North,     2.24" + deg + " West"},
        {*six, "2A02:0C7F::", "   53.48" + deg + " North,     2.24" + deg + " West"},
        {*six, "51.2.69.7", "    1.50" + deg + " North,     2.50" + deg + " East"}, // in ::/96
        {*six, "2a02:c80::1", ""},
        {*six, "2a02:c7f::1%lo", ""},
    };
    for (const auto& r : rows) {
        const auto entry = r.db.lookup(r.address);
        ASSERT_EQ(entry.has_value(), !r.text.empty()) << r.address;
        if (!entry) continue;
        EXPECT_EQ(location_text(*entry), r.text) << r.address;
        if (&r.db != six.get()) {
            EXPECT_EQ(entry->parts, 4);
            EXPECT_EQ(entry->address, address_numbers(r.address));
        }
    }
}

TEST(geoip_database, files_that_are_no_database_do_not_open) {
    scratch_dir dir;
    const std::string whole = flat_database();
    for (const std::string& path :
         {dir.path() + "missing.mmdb", dir.path(), dir.write("text.mmdb", "hosts 10.1.2.3\n"),
          dir.write("cut.mmdb", whole.substr(0, whole.size() / 2))})
        EXPECT_FALSE(geoip_database::open(path)) << path;

    const std::string fifo = dir.path() + "fifo.mmdb";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    bool opened = true;
    EXPECT_TRUE(
        returns_without_waiting(fifo, [&] { opened = geoip_database::open(fifo) != nullptr; }));
    EXPECT_FALSE(opened);
}

using geoip_source_test = geo_test;

TEST_F(geoip_source_test, settings_choose_the_database_and_a_bad_one_is_reported_once) {
    values.use_geoip = 1;
    if (!std::filesystem::exists("/usr/share/GeoIP/GeoLite2-City.mmdb") &&
        !std::filesystem::exists("/var/lib/GeoIP/GeoLite2-City.mmdb")) {
        EXPECT_EQ(default_geoip_database(data.path()), "");
        open_geoip_source(values); // no database anywhere: quietly off, not an error
        EXPECT_FALSE(geoip_lookup("81.2.69.160"));
    }
    const std::string fetched = data.write("geoip/dbip-city-ipv4.mmdb", flat_database());
    EXPECT_EQ(default_geoip_database(data.path()), fetched);
    // What hoplot-fetch-data put in the user's data directory comes first.
    const std::filesystem::path users = user_data_dir() + "geoip/dbip-city-ipv4.mmdb";
    std::filesystem::create_directories(users.parent_path());
    std::ofstream(users) << flat_database();
    EXPECT_EQ(default_geoip_database(data.path()), users.string());
    std::filesystem::remove(users);
    open_geoip_source(values);
    EXPECT_TRUE(geoip_lookup("81.2.69.160"));
    EXPECT_FALSE(geoip_lookup("2a02:c7f::1"));
    // The package's IPv6 file beside it places IPv6 hops; IPv4 hops stay with the IPv4 file.
    EXPECT_EQ(ipv6_companion(fetched), data.path() + "geoip/dbip-city-ipv6.mmdb");
    data.write("geoip/dbip-city-ipv6.mmdb", flat_database6());
    open_geoip_source(values);
    EXPECT_TRUE(geoip_lookup("2a02:c7f::1"));
    EXPECT_FALSE(geoip_lookup("51.2.69.7"));
    EXPECT_EQ(ipv6_companion("/ipv4/city.mmdb"), "");

    values.geoip_database = data.write("other.mmdb", nested_database());
    open_geoip_source(values);
    EXPECT_FALSE(geoip_lookup("81.2.69.160"));
    EXPECT_TRUE(geoip_lookup("89.160.20.112"));
    const auto taken = geoip_source();
    values.use_geoip = 0;
    open_geoip_source(values);
    EXPECT_FALSE(geoip_lookup("89.160.20.112"));
    EXPECT_TRUE(taken("89.160.20.112")) << "what a trace took stays open for it";
    EXPECT_TRUE(messages.empty());

    // A database that cannot be opened is reported once and skipped.
    values.use_geoip = 1;
    values.geoip_database = data.write("broken.mmdb", "not a database");
    open_geoip_source(values);
    open_geoip_source(values);
    EXPECT_EQ(messages,
              std::vector<std::string>{"Can't open GeoIP database " + values.geoip_database});
    EXPECT_FALSE(geoip_lookup("81.2.69.160"));
}

} // namespace
} // namespace hoplot
