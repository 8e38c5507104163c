#include "geolocation/location.h"

#include <climits>
#include <cmath>

#include "geo_test.h"

namespace hoplot {
namespace {

// The sign comes only from the letter; numbers that fail to read count as 0.
TEST(parse_coord, degrees_minutes_optional_seconds_and_a_letter_in_either_case) {
    const std::pair<const char*, double> rows[] = {
        {"37 46N", 37.766667},
        {"37 46n", 37.766667},
        {"37 46 30N", 37.775},
        {"122 25W", -122.416667},
        {"122 25w", -122.416667},
        {"0 30S", -0.5},
        {"  151 12 36E", 151.21},
        {"-10 30N", -9.5},
        {"abc", 0},
        {"", 0},
        {"12", 12},
        {"1 30 36", 1.51},
    };
    for (const auto& [text, degrees] : rows) {
        text_scanner in(text);
        EXPECT_NEAR(parse_coord(in), degrees, 1e-6) << text;
    }
}

TEST(location, map_units_and_text_of_worked_values_corners_and_absurd_positions) {
    const struct {
        entry_t entry;
        map_point expected;
    } rows[] = {
        {position(37.77, "North", 122.42, "West"), {10482, 19016}},
        {position(90, "North", 180, "West"), {0, 0}},
        {position(90, "South", 180, "East"), {65536, 65536}},
        {position(0, "North", 0, "East"), {32768, 32768}},
        // Saturated instead of overflowing.
        {position(1e300, "South", 1e300, "East"), {INT_MAX, INT_MAX}},
        {position(NAN, "North", 0, "East"), {32768, 0}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(to_map_units(r.entry), r.expected) << location_text(r.entry);
    EXPECT_EQ(location_text(position(37.77, "North", 122.42, "West")),
              "   37.77\u00B0 North,   122.42\u00B0 West");
    EXPECT_EQ(location_text(position(5.5, "South", 0, "East")),
              "    5.50\u00B0 South,     0.00\u00B0 East");
    const std::string huge = location_text(position(1e300, "North", 1e308, "East"));
    EXPECT_EQ(huge.find("e+"), std::string::npos);
    EXPECT_GT(huge.size(), 600u);
    EXPECT_NE(huge.find("North, "), std::string::npos);
}

TEST(entry_from_loc_rec, signs_become_words_and_address_numbers_are_read) {
    loc_rec rec;
    rec.latitude = -33.87;
    rec.longitude = 151.21;
    const entry_t entry = entry_from_loc_rec(rec, "10.20.30.40", "gw.example");
    EXPECT_EQ(entry.address, (std::array<std::int32_t, 4>{10, 20, 30, 40}));
    EXPECT_EQ(entry.parts, 4);
    EXPECT_EQ(entry.name, "gw.example");
    EXPECT_EQ(location_text(entry), location_text(position(33.87, "South", 151.21, "East")));
    rec.longitude = -71.06;
    EXPECT_EQ(entry_from_loc_rec(rec, "x", "x").longitude_word, "West");
    EXPECT_EQ(entry_from_loc_rec(rec, "not an address", "x").address,
              (std::array<std::int32_t, 4>{}));
}

} // namespace
} // namespace hoplot
