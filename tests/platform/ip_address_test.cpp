#include "platform/ip_address.h"

#include <gtest/gtest.h>

#include "platform/names.h"

namespace hoplot {
namespace {

TEST(ip_address, reads_both_families_and_writes_ipv6_in_its_rfc_5952_form) {
    const struct {
        const char* text;
        const char* written; // null: does not parse
    } cases[] = {
        {"192.0.2.9", "192.0.2.9"},
        {"2001:0DB8:0000:0000:0000:0000:0000:0001", "2001:db8::1"},
        {"2001:db8:0:1:1:1:1:1", "2001:db8:0:1:1:1:1:1"}, // one zero group stays
        {"2001:db8:0:0:1:0:0:1", "2001:db8::1:0:0:1"},    // the first of equal runs
        {"2001:0:0:1:0:0:0:1", "2001:0:0:1::1"},          // the longest run
        {"fe80::0", "fe80::"},
        {"::ffff:192.0.2.1", "::ffff:192.0.2.1"},
        {"::", "::"},
        {"2001:db8::1::2", nullptr},
        {"192.0.2", nullptr},
        {"fe80::1%eth0", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const auto parsed = parse_ip(c.text);
        ASSERT_EQ(parsed.has_value(), c.written != nullptr) << c.text;
        if (parsed) {
            EXPECT_EQ(to_text(*parsed), c.written) << c.text;
        }
    }
    EXPECT_EQ(parse_ip("10.0.0.1")->family, ip_family::v4);
    EXPECT_EQ(parse_ip("::a00:1")->family, ip_family::v6);
    EXPECT_FALSE(parse_ip("10.0.0.1") == parse_ip("::a00:1")); // the same bytes, not the same
}

TEST(names, resolve_numeric_addresses_only_within_the_family_asked_for) {
    EXPECT_EQ(resolve_host("2001:DB8::9").address, "2001:db8::9");
    EXPECT_EQ(resolve_host("2001:db8::9", address_family::ipv6).address, "2001:db8::9");
    EXPECT_EQ(resolve_host("192.0.2.9", address_family::ipv4).address, "192.0.2.9");
    EXPECT_FALSE(resolve_host("2001:db8::9", address_family::ipv4).address);
    EXPECT_FALSE(resolve_host("192.0.2.9", address_family::ipv6).address);
}

} // namespace
} // namespace hoplot
