#include "map/cities.h"

#include <gtest/gtest.h>

#include "map/map_test_files.h"
#include "map/map_view.h"
#include "map/startup_data.h"

namespace hoplot {
namespace {

TEST(Cities, LinesGiveNamesAndPositions) {
    const struct {
        const char* text;
        const char* name;
        double latitude, longitude;
        int x, y;
    } cases[] = {
        {"Abu_Dhabi 24 28N 54 22E\n", "Abu_Dhabi", 24 + 28 / 60.0, 54 + 22 / 60.0, 42665, 23860},
        {"Null_Island 0 0N 0 0E", "Null_Island", 0, 0, 32768, 32768},
        {"Sydney 33 52 04S 151 12 36E  extra words\n", "Sydney", -(33 + 52 / 60.0 + 4 / 3600.0),
         151 + 12 / 60.0 + 36 / 3600.0, 60295, 45099},
        {"  \n\n Lima 12 3s 77 2w\n", "Lima", -(12 + 3 / 60.0), -(77 + 2 / 60.0), 18745, 37155},
        {"Partial 10 30", "Partial", 10.5, 0, 32768, 28945}, // the longitude cannot be read
    };
    for (const auto& c : cases) {
        const auto cities = parse_cities(c.text);
        ASSERT_EQ(cities.size(), 1u) << c.text;
        EXPECT_EQ(cities[0].name, c.name);
        EXPECT_NEAR(cities[0].latitude, c.latitude, 1e-9) << c.text;
        EXPECT_NEAR(cities[0].longitude, c.longitude, 1e-9) << c.text;
        EXPECT_EQ(cities[0].x, c.x) << c.text;
        EXPECT_EQ(cities[0].y, c.y) << c.text;
    }
}

TEST(Cities, FileOrderIsKeptAndTheRestOfEachLineIgnored) {
    const auto cities = parse_cities("Paris 48 52N 2 21E France 2148000\r\n"
                                     "Rome 41 54N 12 30E\n"
                                     "\n"
                                     "Oslo 59 55N 10 45E");
    ASSERT_EQ(cities.size(), 3u);
    EXPECT_EQ(cities[0].name, "Paris");
    EXPECT_EQ(cities[1].name, "Rome");
    EXPECT_EQ(cities[2].name, "Oslo");
    EXPECT_NEAR(cities[2].longitude, 10.75, 1e-9);
    EXPECT_TRUE(parse_cities("").empty());
    EXPECT_TRUE(parse_cities(" \n\t\n").empty());
}

TEST(Cities, LongNamesAreCutWithoutLosingTheCoordinates) {
    const std::string long_name(100, 'a');
    const std::string accented = std::string(82, 'b') + "\xC3\xA9" + "c"; // é straddles the limit
    const auto cities = parse_cities(long_name + " 1 0N 2 0E\n" + accented + " 3 0S 4 0W\n");
    ASSERT_EQ(cities.size(), 2u);
    EXPECT_EQ(cities[0].name, long_name.substr(0, 83));
    EXPECT_NEAR(cities[0].latitude, 1, 1e-9);
    EXPECT_NEAR(cities[0].longitude, 2, 1e-9);
    EXPECT_EQ(cities[1].name, std::string(82, 'b'));
    EXPECT_NEAR(cities[1].latitude, -3, 1e-9);
}

TEST(Cities, MaxLevelDecidesWhichFilesAreReadAndMissingOnesLowerIt) {
    const struct {
        int map_max_level;
        bool present[3];
        int max_level;
        std::size_t counts[3];
    } cases[] = {
        {3, {true, true, true}, 3, {1, 2, 3}},
        {3, {true, true, false}, 1, {1, 2, 0}},
        {3, {false, true, true}, -1, {0, 0, 0}},
        {1, {true, true, true}, 1, {1, 2, 0}}, // High maps missing: its cities are not read
        {0, {true, false, true}, 0, {1, 0, 0}},
        {-1, {true, true, true}, -1, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        scratch_data_dir dir;
        for (int i = 0; i < 3; ++i) {
            std::string content;
            for (int n = 0; n <= i; ++n)
                content += "City_" + std::to_string(n) + " 1 0N 1 0E\n";
            if (c.present[i]) dir.write("cities.file." + std::to_string(i + 1), content);
        }
        map_view view;
        view.max_level = c.map_max_level;
        recording_progress progress;
        load_cities(view, progress);
        EXPECT_EQ(view.max_level, c.max_level) << c.map_max_level;
        int files_read = 0;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ((*view.cities)[i].size(), c.counts[i]) << c.map_max_level << " " << i;
            if (c.counts[i] > 0) ++files_read;
        }
        EXPECT_EQ(progress.steps, 9 * files_read);
    }
}

TEST(Cities, EmptyFileGivesNoCitiesAndLoadingGoesOn) {
    scratch_data_dir dir;
    dir.write("cities.file.1", "");
    dir.write("cities.file.2", "Rome 41 54N 12 30E\n");
    dir.write("cities.file.3", "Oslo 59 55N 10 45E\n");
    map_view view;
    view.max_level = 3;
    recording_progress progress;
    load_cities(view, progress);
    EXPECT_EQ(view.max_level, 3);
    EXPECT_TRUE((*view.cities)[0].empty());
    EXPECT_EQ((*view.cities)[1].size(), 1u);
    EXPECT_EQ(progress.steps, 27);
}

TEST(StartupData, MapsThenCachesThenCities) {
    scratch_data_dir dir;
    for (const std::string name : {"map.cil.4.256", "map.riv.4.256", "map.bdy.4.256"})
        dir.write(name, map_file_bytes(4, 256));
    dir.write("cities.file.1", "Rome 41 54N 12 30E\n");
    map_view view;
    recording_progress progress;
    bool caches_loaded = false;
    const auto wrong = load_startup_data(view, progress, [&](loading_progress& bar) {
        bar.set_stage("caches");
        caches_loaded = true;
    });
    EXPECT_EQ(wrong, std::nullopt);
    EXPECT_TRUE(caches_loaded);
    EXPECT_EQ(view.max_level, 0);
    EXPECT_EQ((*view.cities)[0].size(), 1u);
    const std::vector<std::string> tail(progress.events.end() - 5, progress.events.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Loading Medium Level Coastlines", "range 100",
                                              "caches", "Loading cities information", "range 18"}));
}

TEST(StartupData, WrongMapDataStopsBeforeTheCaches) {
    scratch_data_dir dir;
    dir.write("map.cil.4.256", map_file_bytes(32, 256));
    map_view view;
    no_progress progress;
    bool caches_loaded = false;
    EXPECT_EQ(load_startup_data(view, progress, [&](loading_progress&) { caches_loaded = true; }),
              std::optional<std::string>("maps/map.cil.4.256"));
    EXPECT_FALSE(caches_loaded);
}

} // namespace
} // namespace hoplot
