#include "geolocation/as_table.h"

#include "geo_test.h"

namespace hoplot {
namespace {

std::string table_of(const std::string& csv4, const std::string& csv6) {
    return build_as_table(read_as_csv(csv4, ip_family::v4).ranges,
                          read_as_csv(csv6, ip_family::v6).ranges);
}

std::string network_at(const as_table& table, const std::string& address) {
    const auto network = table.lookup(*parse_ip(address));
    return network ? network_text(*network) : "none";
}

// Ranges as the package writes them: neighbours, a single address, the ends of each space.
const std::string csv4 = "16777216,16777471,13335,\"Cloudflare, Inc.\"\n"
                         "16777472,16777472,64496,Single Address\r\n"
                         "\n"
                         "16778240,16779263,38803,Gtelecom Pty Ltd\n"
                         "4294967040,4294967295,64511,Top Of Space\n";
const std::string csv6 = "0,0,64512,Zero\n"
                         "42540488161975842760550356425300246528,"
                         "42540488241204005274814694018844196863,6939,Hurricane Electric LLC\n"
                         "340282366920938463463374607431768211200,"
                         "340282366920938463463374607431768211455,65000,\"Top \"\"Six\"\"\"\n";

TEST(as_table, finds_each_range_at_its_edges_and_nothing_just_outside_in_both_families) {
    const std::string bytes = table_of(csv4, csv6);
    const auto table = as_table::over(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->range_count(ip_family::v4), 4u);
    EXPECT_EQ(table->range_count(ip_family::v6), 3u);
    const std::pair<const char*, const char*> rows[] = {
        {"0.0.0.0", "none"}, // :: is in the IPv6 table only
        {"0.255.255.255", "none"},
        {"1.0.0.0", "AS13335 Cloudflare, Inc."},
        {"1.0.0.255", "AS13335 Cloudflare, Inc."},
        {"1.0.1.0", "AS64496 Single Address"},
        {"1.0.1.1", "none"},
        {"1.0.3.255", "none"},
        {"1.0.4.0", "AS38803 Gtelecom Pty Ltd"},
        {"1.0.7.255", "AS38803 Gtelecom Pty Ltd"},
        {"1.0.8.0", "none"},
        {"255.255.254.255", "none"},
        {"255.255.255.255", "AS64511 Top Of Space"},
        {"::", "AS64512 Zero"},
        {"::1", "none"},
        {"2000:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "none"},
        {"2001::", "AS6939 Hurricane Electric LLC"},
        {"2001:0:ffff:ffff:ffff:ffff:ffff:ffff", "AS6939 Hurricane Electric LLC"},
        {"2001:1::", "none"},
        {"ffff:ffff:ffff:ffff:ffff:ffff:ffff:feff", "none"},
        {"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "AS65000 Top \"Six\""},
    };
    for (const auto& [address, network] : rows)
        EXPECT_EQ(network_at(*table, address), network) << address;
}

// Of overlapping ranges the later-starting wins; what the others cover beyond it stays theirs.
TEST(as_table, overlapping_ranges_are_cut_back_around_the_one_that_starts_later) {
    const std::string bytes = table_of("100,200,1,Outer\n"
                                       "120,130,2,Inner\n"
                                       "190,250,3,Crossing\n"
                                       "300,400,4,Wide\n"
                                       "300,310,5,Narrow same start\n",
                                       "");
    const auto table = as_table::over(bytes);
    ASSERT_TRUE(table);
    const std::pair<std::uint32_t, const char*> rows[] = {
        {99, "none"},
        {100, "AS1 Outer"},
        {119, "AS1 Outer"},
        {120, "AS2 Inner"},
        {130, "AS2 Inner"},
        {131, "AS1 Outer"},
        {189, "AS1 Outer"},
        {190, "AS3 Crossing"},
        {250, "AS3 Crossing"},
        {251, "none"},
        {300, "AS5 Narrow same start"},
        {310, "AS5 Narrow same start"},
        {311, "AS4 Wide"},
        {400, "AS4 Wide"},
        {401, "none"},
    };
    for (const auto& [number, network] : rows)
        EXPECT_EQ(network_at(*table, "0.0." + std::to_string(number / 256) + "." +
                                         std::to_string(number % 256)),
                  network)
            << number;
}

TEST(as_csv, reading_stops_at_the_first_line_that_is_not_a_range) {
    const std::pair<const char*, std::size_t> rows[] = {
        {"1,2,3,a\n1,2,3\n", 2},
        {"2,1,3,first after last\n", 1},
        {"1,4294967296,3,beyond IPv4\n", 1},
        {"1,2,4294967296,number too large\n", 1},
        {"-1,2,3,a\n", 1},
        {"1,2,3,\"unterminated\n", 1},
        {"1,2,3,\"quoted\"then\n", 1},
        {"1,2,3,stray\"quote\n", 1},
        {"1,2,3,\"fine\"\n\n1, 2,3,blank\n", 3},
    };
    for (const auto& [text, line] : rows) {
        const as_csv_result read = read_as_csv(text, ip_family::v4);
        EXPECT_EQ(read.bad_line, line) << text;
        EXPECT_EQ(read.ranges.size(), line - 1 - (line == 3)) << text;
    }
    EXPECT_EQ(
        read_as_csv("0,340282366920938463463374607431768211455,1,All\n", ip_family::v6).bad_line,
        0u);
    EXPECT_EQ(
        read_as_csv("0,340282366920938463463374607431768211456,1,More\n", ip_family::v6).bad_line,
        1u);
}

TEST(as_table, bytes_of_another_kind_or_size_are_no_table) {
    const std::string good = table_of(csv4, csv6);
    std::string other_version = good;
    other_version[8] = 2;
    for (const std::string& bytes :
         {std::string(), std::string("HOPLOTAS"), "XOPLOTAS" + good.substr(8), other_version,
          good.substr(0, good.size() - 1), good + "x"})
        EXPECT_FALSE(as_table::over(bytes)) << bytes.size();
    EXPECT_TRUE(as_table::over(table_of("", "")));
}

} // namespace
} // namespace hoplot
