#include "cli/locate.h"

#include "geolocation/as_source.h"
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
        values.rfc1876 = 0;
        values.use_geoip = 1;
        values.geoip_database = data.write("test.mmdb", db.build());
        // 10.1.2.0/24 and 2001:db8::/48.
        const std::string csv4 =
            data.write("asn4.csv", "167838208,167838463,64500,\"Example \"\"Transit\"\", Inc.\"\n");
        const std::string csv6 =
            data.write("asn6.csv", "42540766411282592856903984951653826560,"
                                   "42540766411283801782723599580828532735,64501,Example Six\n");
        ASSERT_EQ(convert_as_files(csv4, csv6, data.path() + as_table_file), "");
    }

    std::pair<int, std::string> locate(const std::vector<std::string>& args) {
        testing::internal::CaptureStdout();
        const int status = run_locate(args, values);
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
             "\t0\tcache\tgw1.example.net\t64500\tExample \"Transit\", Inc.\n"},
        {{"10.1.9.9"}, placed(position(51.5, "North", 7 / 60.0, "West")) + "\t0\tcache\t\t\t\n"},
        {{"10.1.5.5", "mine"},
         placed(position(12.5, "North", 3.25, "East")) + "\t0\tfix\tmine\t\t\n"},
        {{"81.2.69.160", "host"},
         placed(position(33.5, "South", 151.25, "East")) + "\t0\tgeoip\thost\t\t\n"},
        {{"192.0.2.1", "nowhere.example.com"},
         "Unresolved\t\t\t0\tnone\tnowhere.example.com\t\t\n"},
        {{"2001:DB8:0:ffff::9"}, "Unresolved\t\t\t0\tnone\t\t64501\tExample Six\n"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(locate(r.args), std::make_pair(0, r.line)) << r.args[0];
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"example.org"},
                                                 {"10.1.2"},
                                                 {"10.1.2.3", "a", "b"},
                                                 {"--json"},
                                                 {"10.1.2.3", "a", "b", "--json"}})
        EXPECT_EQ(locate(args), std::make_pair(2, std::string())) << args.size();
    EXPECT_TRUE(messages.empty());
}

TEST_F(locate_test, json_gives_the_members_of_a_report_hop_and_the_network_only_when_known) {
    const map_point at = to_map_units(position(37 + 46 / 60.0, "North", 122 + 25 / 60.0, "West"));
    EXPECT_EQ(locate({"--json", "10.1.2.3", "gw1.example.net"}),
              std::make_pair(0, "{\"name\":\"gw1.example.net\",\"address\":\"10.1.2.3\","
                                "\"location\":\"   37.77\u00b0 North,   122.42\u00b0 West\","
                                "\"kind\":0,\"source\":\"cache\",\"x\":" +
                                    std::to_string(at.x) + ",\"y\":" + std::to_string(at.y) +
                                    ",\"latitude\":37.7667,\"longitude\":-122.4167"
                                    ",\"asn\":64500,\"as_name\":\"Example \\\"Transit\\\", "
                                    "Inc.\"}\n"));
    EXPECT_EQ(locate({"192.0.2.1", "--json"}),
              std::make_pair(0, std::string("{\"name\":\"\",\"address\":\"192.0.2.1\","
                                            "\"location\":\"Unresolved\",\"kind\":0,"
                                            "\"source\":\"none\"}\n")));
}

} // namespace
} // namespace hoplot
