// Checks the generated files under data/maps that the program ships.
#include "tools/cell_file_reader.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace hoplot::mapgen {
namespace {

std::string maps_dir() {
    return std::string(std::getenv("HOPLOT_TEST_SOURCE_DIR")) + "/data/maps/";
}

std::string file_text(const std::string& name) {
    std::ifstream in(maps_dir() + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct map_file {
    std::string name;
    std::uint32_t cells_per_side;
};

const std::vector<map_file> map_files = {
    {"map.cil.4.256", 4},     {"map.riv.4.256", 4},     {"map.bdy.4.256", 4},
    {"map.cil.32.256", 32},   {"map.riv.32.256", 32},   {"map.bdy.32.256", 32},
    {"map.cil.256.256", 256}, {"map.riv.256.256", 256}, {"map.bdy.256.256", 256},
};

TEST(committed_data_test, map_files_are_whole_and_on_their_grid) {
    for (const map_file& file : map_files) {
        const auto read = testing::read_cells(file_text(file.name));
        ASSERT_TRUE(read) << file.name << " is short, overlong or missing";
        EXPECT_EQ(read->cells_per_side, file.cells_per_side) << file.name;
        EXPECT_EQ(read->cell_size, 256u) << file.name;
        std::size_t lines = 0;
        for (const auto& cell : read->cells) {
            for (const cell_polyline& line : cell) {
                ++lines;
                ASSERT_GE(line.size(), 2u) << file.name;
                for (std::size_t i = 1; i < line.size(); ++i)
                    ASSERT_NE(line[i], line[i - 1]) << file.name;
            }
        }
        EXPECT_GT(lines, 0u) << file.name;
    }
}

// A shifted or mirrored conversion puts shore into the open ocean and none at the ports.
TEST(committed_data_test, high_coastlines_lie_where_the_coasts_are) {
    const auto read = testing::read_cells(file_text("map.cil.256.256"));
    ASSERT_TRUE(read);
    const auto cell_at = [&](double lon, double lat) -> const std::vector<cell_polyline>& {
        const int ix = static_cast<int>((lon + 180) / 360 * 256);
        const int iy = static_cast<int>((lat + 90) / 180 * 256);
        return read->cells[ix * 256 + iy];
    };
    struct place {
        const char* name;
        double lon, lat;
    };
    const place places[] = {
        {"Cape Town", 18.4, -33.9},       {"Sydney", 151.2, -33.86},
        {"Rio de Janeiro", -43.2, -22.9}, {"New York", -74.0, 40.7},
        {"Lisbon", -9.14, 38.72},         {"Tokyo", 139.77, 35.68},
        {"Reykjavik", -21.9, 64.14},      {"Valparaiso", -71.6, -33.05},
    };
    for (const place& p : places)
        EXPECT_FALSE(cell_at(p.lon, p.lat).empty()) << p.name;
    const place seas[] = {
        {"South Pacific", -120, -30}, {"North Atlantic", -40, 35}, {"Indian Ocean", 80, -25},
        {"Sahara", 15, 23},           {"Siberia", 100, 62},
    };
    for (const place& p : seas)
        EXPECT_TRUE(cell_at(p.lon, p.lat).empty()) << p.name;
}

TEST(committed_data_test, cities_files_grow_by_level_in_the_degree_notation) {
    const std::pair<const char*, std::size_t> files[] = {
        {"cities.file.1", 100}, {"cities.file.2", 1000}, {"cities.file.3", 5000}};
    std::vector<std::string> previous;
    for (const auto& [name, count] : files) {
        std::istringstream text(file_text(name));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) {
            // "Name D M SN D M SE": a name of at most 83 characters, then two coordinates.
            char city[128] = {};
            int v[6] = {};
            char ns = 0;
            char ew = 0;
            int used = 0;
            const int fields = std::sscanf(line.c_str(), "%127s %d %d %d%c %d %d %d%c%n", city, &v[0],
                                           &v[1], &v[2], &ns, &v[3], &v[4], &v[5], &ew, &used);
            ASSERT_EQ(fields, 9) << name << ": " << line;
            EXPECT_EQ(static_cast<std::size_t>(used), line.size()) << line;
            EXPECT_LE(std::strlen(city), 83u) << line;
            EXPECT_TRUE(ns == 'N' || ns == 'S') << line;
            EXPECT_TRUE(ew == 'E' || ew == 'W') << line;
            EXPECT_TRUE(v[0] >= 0 && v[0] <= 90) << line;
            EXPECT_TRUE(v[3] >= 0 && v[3] <= 180) << line;
            for (int i : {1, 2, 4, 5})
                EXPECT_TRUE(v[i] >= 0 && v[i] < 60) << line;
            for (unsigned char c : line)
                EXPECT_LT(c, 0x7f) << line;
            lines.push_back(line);
        }
        EXPECT_EQ(lines.size(), count) << name;
        // Each level keeps the cities of the one before, so zooming in never loses a city.
        ASSERT_GE(lines.size(), previous.size());
        EXPECT_TRUE(std::equal(previous.begin(), previous.end(), lines.begin())) << name;
        previous = lines;
    }
}

} // namespace
} // namespace hoplot::mapgen
