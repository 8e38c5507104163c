#include "geolocation/host_name_rules.h"

#include <cmath>
#include <map>

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

// Each of these once placed the country's hosts in another country or at sea.
TEST(org_lookup, mended_country_rows) {
    const std::map<std::string, place> mended = {
        {".af", {34.53, 69.17}},   {".ar", {-34.6, -58.38}}, {".as", {-14.28, -170.7}},
        {".bn", {4.9, 114.94}},    {".cc", {-12.19, 96.83}}, {".cd", {-4.32, 15.31}},
        {".cf", {4.36, 18.56}},    {".cg", {-4.27, 15.28}},  {".ch", {46.95, 7.45}},
        {".cl", {-33.45, -70.67}}, {".cm", {3.87, 11.52}},   {".cy", {35.17, 33.36}},
        {".dm", {15.3, -61.39}},   {".ec", {-0.18, -78.47}}, {".ee", {59.44, 24.75}},
        {".fk", {-51.7, -57.85}},  {".fm", {6.92, 158.16}},  {".gh", {5.6, -0.19}},
        {".gl", {64.18, -51.72}},  {".gn", {9.64, -13.58}},  {".gu", {13.47, 144.75}},
        {".gw", {11.86, -15.6}},   {".hk", {22.32, 114.17}}, {".hn", {14.07, -87.19}},
        {".hr", {45.81, 15.98}},   {".iq", {33.31, 44.36}},  {".kp", {39.03, 125.75}},
        {".kw", {29.38, 47.99}},   {".kz", {51.17, 71.45}},  {".lb", {33.89, 35.5}},
        {".lr", {6.3, -10.8}},     {".mc", {43.74, 7.42}},   {".mk", {42.0, 21.43}},
        {".ml", {12.64, -8.0}},    {".mn", {47.89, 106.91}}, {".mr", {18.08, -15.98}},
        {".mt", {35.9, 14.51}},    {".mu", {-20.16, 57.5}},  {".mv", {4.18, 73.51}},
        {".mz", {-25.97, 32.57}},  {".na", {-22.56, 17.08}}, {".ng", {6.52, 3.38}},
        {".np", {27.72, 85.32}},   {".om", {23.59, 58.41}},  {".pn", {-25.07, -130.1}},
        {".pr", {18.47, -66.11}},  {".sc", {-4.62, 55.45}},  {".sg", {1.35, 103.82}},
        {".sk", {48.15, 17.11}},   {".vn", {10.82, 106.63}}, {".ws", {-13.83, -171.76}},
        {".ye", {15.37, 44.19}},   {".zw", {-17.83, 31.05}},
    };
    for (const auto& [domain, expected] : mended) {
        expect_rule("gw1.example" + domain, expected, "gw1.example" + domain);
    }
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
