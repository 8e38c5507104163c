#include "geolocation/position_fix_form.h"

#include <gtest/gtest.h>

#include "geolocation/location.h"

namespace hoplot {
namespace {

TEST(position_fix_form, only_rows_with_a_host_address_can_be_fixed) {
    for (const char* address : {"192.0.2.7", "2001:db8::7"})
        EXPECT_TRUE(can_fix_position(address)) << address;
    for (const char* address : {" ", "", "192.0.2", "192.0.2.300", "2001:db8::/32", "2001:db8:::7"})
        EXPECT_FALSE(can_fix_position(address)) << '"' << address << '"';
}

// A place in the north-west opens the dialog in the window tests; the other hemispheres and an
// unplaced hop here.
TEST(position_fix_form, location_text_splits_into_halves_numbers_and_hemispheres) {
    entry_t place;
    place.latitude = 37.77;
    place.longitude = 122.42;
    place.latitude_word = "South";
    place.longitude_word = "East";
    const shown_position south = position_shown(location_text(place));
    EXPECT_FALSE(south.north);
    EXPECT_TRUE(south.east);

    for (const auto& unplaced :
         {std::optional<std::string>("Unresolved"), std::optional<std::string>()}) {
        const shown_position shown = position_shown(unplaced);
        EXPECT_EQ(shown.old_latitude, "Unresolved");
        EXPECT_EQ(shown.old_longitude, "Unresolved");
        EXPECT_EQ(shown.latitude, "0.00");
        EXPECT_EQ(shown.longitude, "0.00");
        EXPECT_TRUE(shown.north && shown.east);
    }
}

TEST(position_fix_form, typed_coordinates_are_digits_with_one_dot_within_the_limit) {
    const struct {
        const char* text;
        double limit;
        bool accepted;
    } rows[] = {
        {"", 90, true},       {"0", 90, true},       {"90", 90, true},  {"90.0", 90, true},
        {"180", 180, true},   {"37.", 90, true},     {".5", 90, true},  {"91", 90, false},
        {"90.01", 90, false}, {"180.5", 180, false}, {"-1", 90, false}, {"1.2.", 90, false},
        {"4a", 90, false},    {"1e1", 90, false},    {" 1", 90, false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(coordinate_text_acceptable(r.text, r.limit), r.accepted) << r.text;
}

TEST(position_fix_form, city_coordinates_are_cut_toward_zero_with_width_five) {
    const struct {
        double degrees;
        const char* text;
        const char* word;
    } rows[] = {
        {37.779, "37.77", "North"}, {-122.419, "122.41", "South"}, {5.5, " 5.50", "North"},
        {12.6, "12.60", "North"},   {-0.004, " 0.00", "South"},    {0.29, " 0.29", "North"},
    };
    for (const auto& r : rows) {
        const fix_coordinate c = city_coordinate(r.degrees, "North", "South");
        EXPECT_EQ(c.text, r.text) << r.degrees;
        EXPECT_EQ(c.word, r.word) << r.degrees;
    }
}

TEST(position_fix_form, question_and_missing_fields) {
    const position_fix fix{"", "192.0.2.7", "37.77", "North", "122.42", "West"};
    EXPECT_EQ(fix_question(fix).substr(0, 42), "Are you sure you want to set 192.0.2.7 to ");
    given_position given{{"37.77", "North"}, {"122.42", "West"}};
    EXPECT_FALSE(missing_in_position(given));
    EXPECT_EQ(given_coordinates(given), (coordinates{37.77, -122.42}));
    given.longitude.text.clear();
    EXPECT_EQ(missing_in_position(given), "Please enter the new longitude (0 to 180 degrees).");
    EXPECT_FALSE(given_coordinates(given));
    given.latitude.text.clear();
    EXPECT_EQ(missing_in_position(given), "Please enter the new latitude (0 to 90 degrees).");
}

} // namespace
} // namespace hoplot
