#include "geolocation/location.h"

#include <cmath>
#include <gtest/gtest.h>

namespace hoplot {
namespace {

double coord(const char* text) {
    text_scanner in(text);
    return parse_coord(in);
}

entry_t position(double lat, const char* lat_word, double lon, const char* lon_word) {
    entry_t entry;
    entry.latitude = lat;
    entry.latitude_word = lat_word;
    entry.longitude = lon;
    entry.longitude_word = lon_word;
    return entry;
}

TEST(parse_coord, reads_degrees_minutes_and_optional_seconds) {
    EXPECT_NEAR(coord("37 46N"), 37.7667, 1e-4);
    EXPECT_NEAR(coord("37 46 30N"), 37.775, 1e-9);
    EXPECT_NEAR(coord("122 25W"), -122.4167, 1e-4);
    EXPECT_NEAR(coord("0 30S"), -0.5, 1e-9);
    EXPECT_NEAR(coord("  151 12 36E"), 151.21, 1e-9);
}

TEST(parse_coord, hemisphere_letters_in_either_case) {
    EXPECT_EQ(coord("37 46N"), coord("37 46n"));
    EXPECT_EQ(coord("122 25W"), coord("122 25w"));
    EXPECT_LT(coord("10 0S"), 0);
    EXPECT_GT(coord("10 0e"), 0);
}

TEST(parse_coord, sign_comes_only_from_the_letter_and_bad_numbers_read_as_zero) {
    EXPECT_NEAR(coord("-10 30N"), -10 + 0.5, 1e-9);
    EXPECT_EQ(coord("abc"), 0.0);
    EXPECT_EQ(coord(""), 0.0);
    EXPECT_EQ(coord("12"), 12.0);
    // A missing letter after the seconds leaves the value positive.
    EXPECT_NEAR(coord("1 30 36"), 1.51, 1e-9);
}

TEST(parse_coord, consecutive_coordinates_on_one_stream) {
    text_scanner in("10.1.2.3 gw1 37 46N 122 25W\n10.1 net 51 30 26N 0 7 39W");
    ASSERT_TRUE(in.read_word());
    ASSERT_TRUE(in.read_word());
    EXPECT_NEAR(parse_coord(in), 37.7667, 1e-4);
    EXPECT_NEAR(parse_coord(in), -122.4167, 1e-4);
    EXPECT_EQ(in.read_word(), "10.1");
    EXPECT_EQ(in.read_word(), "net");
    EXPECT_NEAR(parse_coord(in), 51.5072, 1e-4);
    EXPECT_NEAR(parse_coord(in), -0.1275, 1e-4);
    EXPECT_FALSE(in.read_word());
}

TEST(to_map_units, worked_values_and_corners) {
    EXPECT_EQ(to_map_units(position(37.77, "North", 122.42, "West")), (map_point{10482, 19016}));
    EXPECT_EQ(to_map_units(position(90, "North", 180, "West")), (map_point{0, 0}));
    EXPECT_EQ(to_map_units(position(90, "South", 180, "East")), (map_point{65536, 65536}));
    EXPECT_EQ(to_map_units(position(0, "North", 0, "East")), (map_point{32768, 32768}));
}

TEST(to_map_units, absurd_positions_saturate_instead_of_overflowing) {
    const map_point p = to_map_units(position(1e300, "South", 1e300, "East"));
    EXPECT_EQ(p.x, INT_MAX);
    EXPECT_EQ(p.y, INT_MAX);
    EXPECT_EQ(to_map_units(position(NAN, "North", 0, "East")).y, 0);
}

TEST(location_text, fixed_width_fields_with_degree_sign) {
    EXPECT_EQ(location_text(position(37.77, "North", 122.42, "West")),
              "   37.77\u00B0 North,   122.42\u00B0 West");
    EXPECT_EQ(location_text(position(5.5, "South", 0, "East")),
              "    5.50\u00B0 South,     0.00\u00B0 East");
}

TEST(location_text, any_number_fits) {
    const std::string text = location_text(position(1e300, "North", 1e308, "East"));
    EXPECT_EQ(text.find("e+"), std::string::npos);
    EXPECT_GT(text.size(), 600u);
    EXPECT_NE(text.find("North, "), std::string::npos);
}

TEST(entry_from_loc_rec, signs_become_words_and_address_numbers_are_read) {
    loc_rec rec;
    rec.latitude = -33.87;
    rec.longitude = 151.21;
    const entry_t entry = entry_from_loc_rec(rec, "10.20.30.40", "gw.example");
    EXPECT_EQ(entry.address, (std::array<std::int32_t, 4>{10, 20, 30, 40}));
    EXPECT_EQ(entry.parts, 4);
    EXPECT_EQ(entry.name, "gw.example");
    EXPECT_DOUBLE_EQ(entry.latitude, 33.87);
    EXPECT_EQ(entry.latitude_word, "South");
    EXPECT_DOUBLE_EQ(entry.longitude, 151.21);
    EXPECT_EQ(entry.longitude_word, "East");
    EXPECT_EQ(entry_from_loc_rec(rec, "not an address", "x").address,
              (std::array<std::int32_t, 4>{}));
}

} // namespace
} // namespace hoplot
