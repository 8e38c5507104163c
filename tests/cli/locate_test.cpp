#include "cli/locate.h"

#include "geolocation/geo_test.h"
#include "geolocation/test_mmdb.h"

namespace hoplot {
namespace {

// --locate against a data directory of its own: cache files and a GeoIP database.
class locate_test : public geo_test {
  protected:
    void SetUp() override {
        geo_test::SetUp();
        data.write("cache_files/hosts.cache", "10.1.2.3 gw1.example.net 37 46N 122 25W\n");
        data.write("cache_files/networks.cache", "10.1 51 30N 0 7W campus\n");
        data.write("cache_files/update.cache", "10.1.5.5 mine 12.5 n 3.25 e\n");
        using namespace test_mmdb;
        writer db;
        db.add("81.2.69.0", 24,
               map({{"latitude", float32(-33.5f)}, {"longitude", float32(151.25f)}}));
        app_settings().rfc1876 = 0;
        app_settings().use_geoip = 1;
        app_settings().geoip_database = data.write("test.mmdb", db.build());
    }

    std::pair<int, std::string> locate(const std::vector<std::string>& args) {
        testing::internal::CaptureStdout();
        const int status = run_locate(args);
        return {status, testing::internal::GetCapturedStdout()};
    }
};

// The location text and "x\ty" in map units of a position.
std::string placed(const entry_t& entry) {
    const map_point at = to_map_units(entry);
    return location_text(entry) + "\t" + std::to_string(at.x) + "\t" + std::to_string(at.y);
}

TEST_F(locate_test, one_tab_separated_line_per_source_and_exit_2_on_bad_usage) {
    const struct {
        std::vector<std::string> args;
        std::string line;
    } rows[] = {
        {{"10.1.2.3", "gw1.example.net"},
         placed(position(37 + 46 / 60.0, "North", 122 + 25 / 60.0, "West")) +
             "\t0\tcache\tgw1.example.net\n"},
        {{"10.1.9.9"}, placed(position(51.5, "North", 7 / 60.0, "West")) + "\t0\tcache\t\n"},
        {{"10.1.5.5", "mine"}, placed(position(12.5, "North", 3.25, "East")) + "\t0\tfix\tmine\n"},
        {{"81.2.69.160", "host"},
         placed(position(33.5, "South", 151.25, "East")) + "\t0\tgeoip\thost\n"},
        {{"192.0.2.1", "nowhere.example.com"}, "Unresolved\t\t\t0\tnone\tnowhere.example.com\n"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(locate(r.args), std::make_pair(0, r.line)) << r.args[0];
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"example.org"}, {"10.1.2"}, {"10.1.2.3", "a", "b"}})
        EXPECT_EQ(locate(args), std::make_pair(2, std::string())) << args.size();
    EXPECT_TRUE(messages.empty());
}

// --json, wherever it stands, gives the hop as --report --json does; it is never the host name.
TEST_F(locate_test, json_gives_one_object_with_the_fields_of_a_reported_hop) {
    const std::string unplaced = "{\"name\":\"far.example\",\"address\":\"192.0.2.1\","
                                 "\"location\":\"Unresolved\",\"time\":\"\",\"colour\":0,"
                                 "\"kind\":0,\"source\":\"none\"}\n";
    EXPECT_EQ(locate({"192.0.2.1", "far.example", "--json"}), std::make_pair(0, unplaced));
    const auto [status, placed_hop] = locate({"--json", "10.1.5.5"});
    EXPECT_EQ(status, 0);
    const map_point at = to_map_units(position(12.5, "North", 3.25, "East"));
    EXPECT_NE(placed_hop.find("\"source\":\"fix\",\"x\":" + std::to_string(at.x) +
                              ",\"y\":" + std::to_string(at.y) + "}"),
              std::string::npos)
        << placed_hop;
}

} // namespace
} // namespace hoplot
