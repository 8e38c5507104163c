#include "map/cities.h"

#include <array>
#include <gtest/gtest.h>

#include "map/map_test_files.h"

namespace hoplot {
namespace {

using namespace test;

TEST(cities, lines_give_names_and_positions_in_file_order) {
    const auto cities = parse_cities("Abu_Dhabi 24 28N 54 22E\n"
                                     "Null_Island 0 0N 0 0E France 2148000\r\n"
                                     "\n  Sydney 33 52 04S 151 12 36E  extra words\n"
                                     "Lima 12 3s 77 2w\n"
                                     "Partial 10 30"); // no longitude, no line end
    const struct {
        const char* name;
        double latitude, longitude;
        int x, y; // trunc(65536 / 360 * (longitude + 180) + 0.5), likewise for y
    } expected[] = {
        {"Abu_Dhabi", 24 + 28 / 60.0, 54 + 22 / 60.0, 42665, 23860},
        {"Null_Island", 0, 0, 32768, 32768},
        {"Sydney", -(33 + 52 / 60.0 + 4 / 3600.0), 151 + 12 / 60.0 + 36 / 3600.0, 60295, 45099},
        {"Lima", -(12 + 3 / 60.0), -(77 + 2 / 60.0), 18745, 37155},
        {"Partial", 10.5, 0, 32768, 28945},
    };
    ASSERT_EQ(cities.size(), std::size(expected));
    for (std::size_t i = 0; i < cities.size(); ++i) {
        EXPECT_EQ(cities[i].name, expected[i].name);
        EXPECT_NEAR(cities[i].latitude, expected[i].latitude, 1e-9) << i;
        EXPECT_NEAR(cities[i].longitude, expected[i].longitude, 1e-9) << i;
        EXPECT_EQ((std::array{cities[i].x, cities[i].y}),
                  (std::array{expected[i].x, expected[i].y}));
    }
    EXPECT_TRUE(parse_cities(" \n\t\n").empty());

    // Long names are cut to 83 bytes, never inside a character, keeping the coordinates.
    const std::string long_name(100, 'a');
    const std::string accented = std::string(82, 'b') + "\xC3\xA9" + "c";
    const auto cut = parse_cities(long_name + " 1 0N 2 0E\n" + accented + " 3 0S 4 0W\n");
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].name, long_name.substr(0, 83));
    EXPECT_NEAR(cut[0].longitude, 2, 1e-9);
    EXPECT_EQ(cut[1].name, std::string(82, 'b'));
    EXPECT_NEAR(cut[1].latitude, -3, 1e-9);
}

TEST(cities, the_files_asked_for_are_read_until_the_first_missing_one) {
    const struct {
        int last;
        const char* files[3]; // nullptr: missing
        int read;
        std::size_t counts[3];
    } cases[] = {
        {2, {"A 1 0N 1 0E", "B 1 0N 1 0E\nC 1 0N 1 0E", "D 1 0N 1 0E"}, 2, {1, 2, 1}},
        {2, {"A 1 0N 1 0E", "", "D 1 0N 1 0E"}, 2, {1, 0, 1}}, // an empty file
        {2, {"A 1 0N 1 0E", "B 1 0N 1 0E", nullptr}, 1, {1, 1, 0}},
        {2, {"A 1 0N 1 0E", nullptr, "D 1 0N 1 0E"}, 0, {1, 0, 0}},
        {2, {nullptr, "B 1 0N 1 0E", "D 1 0N 1 0E"}, -1, {0, 0, 0}},
        {1, {"A 1 0N 1 0E", "B 1 0N 1 0E", "D 1 0N 1 0E"}, 1, {1, 1, 0}}, // no High maps
        {-1, {"A 1 0N 1 0E", "B 1 0N 1 0E", "D 1 0N 1 0E"}, -1, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        scratch_data_dir dir;
        for (int i = 0; i < 3; ++i)
            if (c.files[i]) dir.write_map("cities.file." + std::to_string(i + 1), c.files[i]);
        city_lists lists;
        recording_progress progress;
        EXPECT_EQ(read_city_files(dir.path(), 0, c.last, lists, progress), c.read) << c.last;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(lists[i].size(), c.counts[i]) << c.last << " " << i;
        EXPECT_EQ(progress.steps, 9 * (c.read + 1)) << c.last;
    }
}

} // namespace
} // namespace hoplot
