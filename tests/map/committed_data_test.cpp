// The generated map and cities files the program ships under data/maps.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

#include "geolocation/scratch_dir.h"
#include "map/cities.h"
#include "map/map_files.h"
#include "map/map_test_files.h"
#include "map/map_view.h"

namespace hoplot {
namespace {

TEST(CommittedData, EveryLevelLoadsWithRealLinesAndCoastsWhereTheCoastsAre) {
    const std::string saved = app_settings().db_path;
    app_settings().db_path = std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/";
    map_view view;
    test::recording_progress progress;
    EXPECT_EQ(load_map_data(view, progress), std::nullopt);
    load_cities(view, progress);
    app_settings().db_path = saved;
    ASSERT_EQ(view.max_level, 3);
    EXPECT_LE(progress.steps, 9 * 100 + 3 * 9); // no file's bar runs past its end
    for (const auto* layer : {&view.maps->coastlines, &view.maps->rivers, &view.maps->boundaries}) {
        for (const map_level& level : *layer) {
            std::size_t lines = 0;
            for (std::size_t i = 0; i < level.cell_count(); ++i) {
                const map_cell cell = level.cell(i);
                lines += cell.polyline_count();
                for (std::size_t j = 0; j < cell.polyline_count(); ++j) {
                    const auto points = cell.polyline(j);
                    ASSERT_GE(points.size(), 2u) << level.grid();
                    for (std::size_t k = 1; k < points.size(); ++k)
                        ASSERT_FALSE(points[k].bx == points[k - 1].bx &&
                                     points[k].by == points[k - 1].by);
                }
            }
            EXPECT_GT(lines, 0u) << level.grid();
        }
    }
    // A shifted or mirrored conversion puts shore into the open ocean and none at the ports.
    const struct {
        const char* name;
        double lon, lat;
        bool shore;
    } places[] = {
        {"Cape Town", 18.4, -33.9, true},
        {"Sydney", 151.2, -33.86, true},
        {"Rio de Janeiro", -43.2, -22.9, true},
        {"New York", -74.0, 40.7, true},
        {"Lisbon", -9.14, 38.72, true},
        {"Tokyo", 139.77, 35.68, true},
        {"Reykjavik", -21.9, 64.14, true},
        {"Valparaiso", -71.6, -33.05, true},
        {"South Pacific", -120, -30, false},
        {"North Atlantic", -40, 35, false},
        {"Indian Ocean", 80, -25, false},
        {"Sahara", 15, 23, false},
        {"Siberia", 100, 62, false},
    };
    for (const auto& p : places) {
        const auto ix = static_cast<std::uint32_t>((p.lon + 180) / 360 * 256);
        const auto iy = static_cast<std::uint32_t>((p.lat + 90) / 180 * 256);
        EXPECT_EQ(view.maps->coastlines[2].cell(ix, iy).polyline_count() > 0, p.shore) << p.name;
    }
    // Each cities level keeps the cities of the one before, so zooming in never loses a city.
    const std::size_t counts[] = {100, 1000, 5000};
    for (std::size_t level = 0; level < 3; ++level) {
        const auto& cities = (*view.cities)[level];
        EXPECT_EQ(cities.size(), counts[level]);
        for (std::size_t i = 0; level > 0 && i < (*view.cities)[level - 1].size(); ++i)
            ASSERT_EQ(cities[i].name, (*view.cities)[level - 1][i].name) << level << " " << i;
    }
}

TEST(CommittedData, CityLinesAreNamesAndCoordinatesInTheDegreeNotation) {
    for (const char* name : {"cities.file.1", "cities.file.2", "cities.file.3"}) {
        std::istringstream text(
            read_text_file(std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/maps/" + name));
        for (std::string line; std::getline(text, line);) {
            // "Name D M SN D M SE": a name of at most 83 characters, then two coordinates.
            char city[128] = {}, ns = 0, ew = 0;
            int v[6] = {}, used = 0;
            ASSERT_EQ(std::sscanf(line.c_str(), "%127s %d %d %d%c %d %d %d%c%n", city, &v[0], &v[1],
                                  &v[2], &ns, &v[3], &v[4], &v[5], &ew, &used),
                      9)
                << name << ": " << line;
            bool valid =
                used == static_cast<int>(line.size()) && std::strlen(city) <= 83 &&
                (ns == 'N' || ns == 'S') && (ew == 'E' || ew == 'W') &&
                std::all_of(line.begin(), line.end(), [](char c) { return c > 0 && c < 0x7f; });
            const int limits[] = {90, 59, 59, 180, 59, 59};
            for (int i = 0; i < 6; ++i)
                valid = valid && v[i] >= 0 && v[i] <= limits[i];
            EXPECT_TRUE(valid) << name << ": " << line;
        }
    }
}

} // namespace
} // namespace hoplot
