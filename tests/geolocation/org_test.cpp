#include "geolocation/org.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <string>

namespace hoplot {
namespace {

struct place {
    double latitude;
    double longitude;
};

struct rule_case {
    const char* name;
    std::optional<place> expected;
    const char* name_after; // the host name as the rules leave it
};

void expect_rule(const rule_case& c) {
    std::string host = c.name;
    loc_rec rec;
    const bool found = org_lookup(host, rec);
    EXPECT_EQ(found, c.expected.has_value()) << c.name;
    if (found && c.expected) {
        EXPECT_EQ(rec.latitude, c.expected->latitude) << c.name;
        EXPECT_EQ(rec.longitude, c.expected->longitude) << c.name;
    }
    EXPECT_EQ(host, c.name_after) << c.name;
}

TEST(org_lookup, host_name_rules) {
    const rule_case cases[] = {
        {"router.example.com", std::nullopt, "router.example.com"},
        {"www.cs.example.edu", std::nullopt, "www.cs.example.edu"},
        {"x.y.org", place{40.94, -73.72}, "x.y.org"},
        {"gw1.houston.example.net", place{29.93, -95.5}, "*w1.houston.example.net"},
        {"houston.example.net", place{29.93, -95.5}, "*ouston.example.net"},
        {"example.net", std::nullopt, "example.net"},
        {"gw1.lab.example.net", place{33.9, -118.2}, "*w1.lab.example.net"},
        {"x.boston.example.net", place{42.34, -71.02}, "*.boston.example.net"},
        {"a.b.wash.sea.example.net", place{39.2, -76.85}, "*.b.wash.sea.example.net"},
        {"core1.london.example.net", place{51.5, 0.2}, "*ore1.london.example.net"},
        {"ae1.sydney.example.net", place{-33.7, 151.4}, "*e1.sydney.example.net"},
        {"ae1.tokyo.example.net", place{35.5, 139.8}, "*e1.tokyo.example.net"},
        {"ae1.frankfurt.example.net", std::nullopt, "ae1.frankfurt.example.net"},
        {"a.springfield.il.us", place{39.78, -89.64}, "*.springfield.il.us"},
        {"gw1.houston.tx.us", place{29.93, -95.5}, "*w1.houston.tx.us"},
        {"host.k12.wy.us", place{41.14, -104.79}, "*ost.k12.wy.us"},
        {"www.state.us", place{39.2, -76.85}, "www.state.us"},
        {"nameserver.agency.gov", place{39.2, -76.85}, "nameserver.agency.gov"},
        {"gate.army.mil", place{39.2, -76.85}, "gate.army.mil"},
        {"ns.dallas.agency.gov", place{32.93, -96.9}, "*s.dallas.agency.gov"},
        // London is a world city: the United States rows do not hold it.
        {"london.agency.gov", place{39.2, -76.85}, "london.agency.gov"},
        {"host.example.ch", place{46.95, 7.45}, "host.example.ch"},
        {"host.example.ec", place{-0.18, -78.47}, "host.example.ec"},
        {"HOST.EXAMPLE.DE", place{52.4, 13.1}, "HOST.EXAMPLE.DE"},
        {"host.example.np", place{27.72, 85.32}, "host.example.np"},
        {"host.example.gt", place{14.8, -90.71}, "host.example.gt"},
        {"10.1.2.3", std::nullopt, "10.1.2.3"},
        {"host.example.de.", std::nullopt, "host.example.de."},
        {"localhost", std::nullopt, "localhost"},
        {"de", std::nullopt, "de"},
        {".de", place{52.4, 13.1}, ".de"},
        {".net", std::nullopt, ".net"},
        {"host.example.zz", std::nullopt, "host.example.zz"},
        {"", std::nullopt, ""},
    };
    for (const rule_case& c : cases)
        expect_rule(c);
}

TEST(org_lookup, mended_place_rows) {
    const rule_case cases[] = {
        {"gw.honolulu.hi.us", place{21.31, -157.86}, "*w.honolulu.hi.us"},
        {"gw.columbia.sc.us", place{34.0, -81.03}, "*w.columbia.sc.us"},
        {"ae1.hi.example.net", place{21.31, -157.86}, "*e1.hi.example.net"},
        {"ae1.sc.example.net", place{34.0, -81.03}, "*e1.sc.example.net"},
    };
    for (const rule_case& c : cases)
        expect_rule(c);
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
        const std::string host = "gw1.example" + domain;
        expect_rule({host.c_str(), expected, host.c_str()});
    }
}

TEST(domain_rules, every_country_places_its_hosts_on_the_globe) {
    for (const domain_rule& rule : domain_rules()) {
        if (rule.domain.size() != 3) continue; // the generic domains
        std::string host = "gw1.example" + std::string(rule.domain);
        loc_rec rec;
        ASSERT_TRUE(org_lookup(host, rec)) << host;
        EXPECT_LE(std::abs(rec.latitude), 90.0) << host;
        EXPECT_LE(std::abs(rec.longitude), 180.0) << host;
    }
}

// Every equal row applies, so a domain listed twice with two positions would quietly take the
// later one.
TEST(domain_rules, a_domain_listed_twice_keeps_one_position) {
    std::map<std::string_view, coordinates> seen;
    for (const domain_rule& rule : domain_rules()) {
        if (!rule.position) continue;
        const auto [it, added] = seen.emplace(rule.domain, *rule.position);
        if (added) continue;
        EXPECT_EQ(it->second.latitude, rule.position->latitude) << rule.domain;
        EXPECT_EQ(it->second.longitude, rule.position->longitude) << rule.domain;
    }
}

TEST(org_lookup, names_of_240_characters_or_more_are_not_examined) {
    const std::string tail = ".houston.example.net";
    const std::string longest = std::string(max_rule_text - tail.size(), 'a') + tail;
    expect_rule({longest.c_str(), place{29.93, -95.5}, ("*" + longest.substr(1)).c_str()});
    const std::string too_long = "a" + longest;
    expect_rule({too_long.c_str(), std::nullopt, too_long.c_str()});
}

TEST(org, entry_for_the_hop) {
    std::string host = "gw1.houston.example.net";
    const auto entry = org(host, "10.1.2.3");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->address, (std::array<std::int32_t, 4>{10, 1, 2, 3}));
    EXPECT_EQ(entry->parts, 4);
    EXPECT_EQ(entry->name, "*w1.houston.example.net");
    EXPECT_EQ(entry->latitude, 29.93);
    EXPECT_EQ(entry->latitude_word, "North");
    EXPECT_EQ(entry->longitude, 95.5);
    EXPECT_EQ(entry->longitude_word, "West");

    std::string unplaced = "router.example.com";
    EXPECT_FALSE(org(unplaced, "10.1.2.3"));
}

} // namespace
} // namespace hoplot
