#include "geolocation/host_name_rules.h"

#include <cmath>

#include "geo_test.h"

namespace hoplot {
namespace {

using place = std::pair<double, double>; // latitude, longitude

// The rules' answer for a host name, and the name as they leave it.
void expect_rule(const std::string& name, std::optional<place> expected, const std::string& after) {
    std::string host = name;
    loc_rec rec;
    const bool found = org_lookup(host, rec);
    EXPECT_EQ(found ? std::optional(place{rec.latitude, rec.longitude}) : std::nullopt, expected)
        << name;
    EXPECT_EQ(host, after) << name;
}

TEST(org_lookup, host_name_rules) {
    const std::string tail = ".houston.example.net";
    const std::string longest = std::string(max_rule_text - tail.size(), 'a') + tail;
    const struct {
        std::string name;
        std::optional<place> expected;
        std::string after;
    } cases[] = {
        {"x.y.org", place{40.94, -73.72}, "x.y.org"},
        {"gw1.houston.example.net", place{29.93, -95.5}, "*w1.houston.example.net"},
        {"houston.example.net", place{29.93, -95.5}, "*ouston.example.net"},
        {"gw1.lab.example.net", place{33.9, -118.2}, "*w1.lab.example.net"},
        {"x.boston.example.net", place{42.34, -71.02}, "*.boston.example.net"},
        {"a.b.wash.sea.example.net", place{39.2, -76.85}, "*.b.wash.sea.example.net"},
        {"core1.london.example.net", place{51.5, 0.2}, "*ore1.london.example.net"},
        {"ae1.sydney.example.net", place{-33.7, 151.4}, "*e1.sydney.example.net"},
        {"ae1.tokyo.example.net", place{35.5, 139.8}, "*e1.tokyo.example.net"},
        {"a.springfield.il.us", place{39.78, -89.64}, "*.springfield.il.us"},
        {"gw1.houston.tx.us", place{29.93, -95.5}, "*w1.houston.tx.us"},
        {"host.k12.wy.us", place{41.14, -104.79}, "*ost.k12.wy.us"},
        {"www.state.us", place{39.2, -76.85}, "www.state.us"},
        {"nameserver.agency.gov", place{39.2, -76.85}, "nameserver.agency.gov"},
        {"gate.army.mil", place{39.2, -76.85}, "gate.army.mil"},
        {"ns.dallas.agency.gov", place{32.93, -96.9}, "*s.dallas.agency.gov"},
        // London is a world city: the United States rows do not hold it.
        {"london.agency.gov", place{39.2, -76.85}, "london.agency.gov"},
        {"HOST.EXAMPLE.DE", place{52.4, 13.1}, "HOST.EXAMPLE.DE"},
        {"host.example.gt", place{14.8, -90.71}, "host.example.gt"},
        {".de", place{52.4, 13.1}, ".de"},
        // Rows that once lay in the ocean.
        {"gw.honolulu.hi.us", place{21.31, -157.86}, "*w.honolulu.hi.us"},
        {"gw.columbia.sc.us", place{34.0, -81.03}, "*w.columbia.sc.us"},
        {"ae1.hi.example.net", place{21.31, -157.86}, "*e1.hi.example.net"},
        {"ae1.sc.example.net", place{34.0, -81.03}, "*e1.sc.example.net"},
        // Names of 240 characters or more are not examined.
        {longest, place{29.93, -95.5}, std::string("*").append(longest, 1)},
        {"a" + longest, std::nullopt, "a" + longest},
    };
    for (const auto& c : cases)
        expect_rule(c.name, c.expected, c.after);
    for (const char* unplaced :
         {"router.example.com", "www.cs.example.edu", "example.net", "ae1.frankfurt.example.net",
          "10.1.2.3", "host.example.de.", "localhost", "de", ".net", "host.example.zz", ""})
        expect_rule(unplaced, std::nullopt, unplaced);
}

// A country row at 0.0 never answers; one off the globe cannot be drawn.
TEST(domain_rules, every_country_places_its_hosts_on_the_globe) {
    for (const domain_rule& rule : domain_rules()) {
        if (rule.domain.size() != 3) continue; // the generic domains
        std::string host = "gw1.example" + std::string(rule.domain);
        loc_rec rec;
        ASSERT_TRUE(org_lookup(host, rec)) << host;
        EXPECT_TRUE(std::abs(rec.latitude) <= 90 && std::abs(rec.longitude) <= 180) << host;
    }
}

TEST(org, entry_for_the_hop) {
    std::string host = "gw1.houston.example.net";
    const auto entry = org(host, "10.1.2.3");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->address, (std::array<std::int32_t, 4>{10, 1, 2, 3}));
    EXPECT_EQ(entry->name, "*w1.houston.example.net");
    EXPECT_EQ(location_text(*entry), location_text(position(29.93, "North", 95.5, "West")));

    std::string unplaced = "router.example.com";
    EXPECT_FALSE(org(unplaced, "10.1.2.3"));
}

} // namespace
} // namespace hoplot
