#include "map/map_files.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#include "map/cities.h"
#include "map/map_test_files.h"

namespace hoplot {
namespace {

using namespace test;

TEST(map_file, empty_file_corner_points_and_empty_polylines_follow_the_layout) {
    map_level level;
    ASSERT_EQ(parse(map_file_bytes(4, 256), 4, level), map_file_status::loaded);
    ASSERT_EQ(level.cell_count(), 16u);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(level.cell(i).polyline_count(), 0u);

    // Cells run column by column from the south-west corner.
    const struct {
        std::uint32_t grid, ix, iy;
        std::uint8_t bx, by;
        double wx, wy;
    } cases[] = {
        {4, 0, 0, 0, 0, 0, 572},             // the south-west corner of the world
        {4, 2, 2, 128, 128, 519.375, 214.5}, // X = Yn = 640 of 1024
        {4, 0, 1, 0, 0, 0, 429},             // cell 1: a row further north
        {4, 1, 0, 0, 0, 207.75, 572},        // cell 4: a column further east
        {32, 31, 31, 255, 255, 831 * (8191.0 / 8192), 572 / 8192.0},
    };
    for (const auto& c : cases) {
        const map_level one = level_with(c.grid, {{c.ix * c.grid + c.iy, {{c.bx, c.by}}}});
        ASSERT_EQ(one.cell(c.ix, c.iy).polyline_count(), 1u) << c.ix << " " << c.iy;
        const world_position at =
            world_point(one, c.ix, c.iy, one.cell(c.ix, c.iy).polyline(0)[0], 831, 572);
        EXPECT_EQ((std::array{at.x, at.y}), (std::array{c.wx, c.wy})) << c.grid << " " << c.ix;
    }
    // A line's end on the last step of its cell is drawn on the border, where the
    // neighbouring cell's piece starts, so no gap opens between them.
    const map_level edge = level_with(4, {{0, {{255, 255}}}, {5, {{0, 0}}}});
    const world_position end =
        world_end_point(edge, 0, 0, edge.cell(0, 0).polyline(0)[0], 831, 572);
    const world_position next = world_point(edge, 1, 1, edge.cell(1, 1).polyline(0)[0], 831, 572);
    EXPECT_EQ((std::array{end.x, end.y}), (std::array{next.x, next.y}));

    // A polyline of no points takes no bytes.
    const std::string bytes =
        map_file_bytes(4, 256, {{0, {{}, {1, 1, 2, 2}, {}, {3, 3}}}, {1, {{9, 9}}}});
    ASSERT_EQ(parse(bytes, 4, level), map_file_status::loaded);
    const map_cell first = level.cell(0);
    ASSERT_EQ(first.polyline_count(), 4u);
    EXPECT_EQ((std::array{first.point_count(0), first.point_count(1), first.point_count(2)}),
              (std::array<std::size_t, 3>{0, 2, 0}));
    EXPECT_EQ(first.polyline(3)[0].bx, 3);
    EXPECT_EQ(level.cell(1).polyline(0)[0].bx, 9);
}

TEST(map_file, short_or_corrupt_file_fails_and_leaves_the_level_alone) {
    const std::string whole =
        map_file_bytes(4, 256, {{0, {{1, 1, 2, 2}, {}, {3, 3}}}, {15, {{9, 9}}}});
    std::vector<std::string> damaged;
    for (std::size_t length = 0; length < whole.size(); ++length)
        damaged.push_back(whole.substr(0, length));
    damaged.push_back(map_file_bytes(4, 256, {{0, {{}}}}).replace(8, 4, "\xFF\xFF\xFF\xFF"));
    damaged.push_back(map_file_bytes(4, 256, {{0, {{1, 1}}}}).replace(12, 4, "\xFF\xFF\xFF\xF0"));
    damaged.push_back(map_file_bytes(4, 0)); // no cell size to divide by
    for (const auto& bytes : damaged) {
        map_level level = level_with(4, {{5, {{7, 7}}}});
        EXPECT_EQ(parse(bytes, 4, level), map_file_status::failed) << bytes.size();
        ASSERT_EQ(level.cell_count(), 16u);
        EXPECT_EQ(level.cell(5).polyline_count(), 1u) << bytes.size();
    }
}

TEST(map_file, progress_runs_in_hundredths_of_the_file) {
    stored_cells cells;
    for (std::size_t i = 0; i < 16; ++i)
        cells[i] = {stored_polyline(200, 1), stored_polyline(2, 1)};
    const std::string tiny = map_file_bytes(4, 256, {{3, {{1, 1}}}}); // under 100 bytes
    for (const auto& bytes : {map_file_bytes(4, 256, cells), tiny}) {
        map_level level;
        recording_progress progress;
        parse(bytes, 4, level, progress);
        EXPECT_EQ(progress.events, std::vector<std::string>{"range 100"});
        EXPECT_GT(progress.steps, 0);
        EXPECT_LE(progress.steps, 100);
    }
}

TEST(map_data, loading_ends_at_the_last_level_before_the_first_unusable_file) {
    const struct {
        const char* damaged;
        bool truncated; // else missing
        int highest;
    } cases[] = {{nullptr, false, 2},
                 {"map.riv.256.256", false, 1},
                 {"map.bdy.256.256", true, 1},
                 {"map.cil.32.256", false, 0},
                 {"map.bdy.4.256", false, -1}};
    for (const auto& c : cases) {
        scratch_data_dir dir;
        write_all_map_files(dir);
        if (c.damaged && c.truncated)
            dir.write_map(c.damaged, map_file_bytes(256, 256).substr(0, 9));
        else if (c.damaged)
            std::filesystem::remove(dir.map_path(c.damaged));
        map_data maps;
        recording_progress progress;
        const map_levels_read read = load_map_levels(dir.path(), 0, 2, maps, progress);
        EXPECT_EQ(read.wrong_grid, std::nullopt);
        EXPECT_EQ(read.highest, c.highest) << (c.damaged ? c.damaged : "none");
        for (int level = 0; level <= c.highest; ++level) {
            EXPECT_FALSE(maps.coastlines[level].empty());
            EXPECT_FALSE(maps.boundaries[level].empty());
        }
        if (c.truncated) {
            EXPECT_TRUE(maps.boundaries[2].empty());
        }
        if (c.damaged && std::string(c.damaged) == "map.riv.256.256") {
            EXPECT_EQ(progress.events.back(), "Loading High Level Rivers");
            EXPECT_EQ(progress.events[4], "Loading Low Level Boundaries");
        }
    }
}

TEST(map_data, read_only_files_load_and_a_wrong_grid_names_the_file) {
    scratch_data_dir dir;
    write_all_map_files(dir);
    for (const auto& file : std::filesystem::directory_iterator(dir.path() + "maps"))
        std::filesystem::permissions(file.path(), std::filesystem::perms::owner_read);
    no_progress progress;
    map_data maps;
    const map_levels_read read = load_map_levels(dir.path(), 0, 2, maps, progress);
    EXPECT_EQ(read.highest, 2);
    EXPECT_EQ(read.wrong_grid, std::nullopt);

    std::filesystem::remove(dir.map_path("map.cil.32.256"));
    dir.write_map("map.cil.32.256", map_file_bytes(4, 256));
    EXPECT_EQ(load_map_levels(dir.path(), 0, 2, maps, progress).wrong_grid,
              std::optional<std::string>("maps/map.cil.32.256"));
}

// The generated map and cities files the program ships under data/maps.

TEST(committed_data, every_level_loads_with_real_lines_and_coasts_where_the_coasts_are) {
    const std::string data = std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/";
    map_data maps;
    city_lists cities;
    recording_progress progress;
    const map_levels_read read = load_map_levels(data, 0, 2, maps, progress);
    ASSERT_EQ(read.highest, 2);
    ASSERT_EQ(read_city_files(data, 0, 2, cities, progress), 2);
    EXPECT_LE(progress.steps, 9 * 100 + 3 * 9); // no file's bar runs past its end
    for (const auto* layer : {&maps.coastlines, &maps.rivers, &maps.boundaries}) {
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
        EXPECT_EQ(maps.coastlines[2].cell(ix, iy).polyline_count() > 0, p.shore) << p.name;
    }
    // Each cities level keeps the cities of the one before, so zooming in never loses a city.
    const std::size_t counts[] = {100, 1000, 5000};
    for (std::size_t level = 0; level < 3; ++level) {
        const auto& list = cities[level];
        EXPECT_EQ(list.size(), counts[level]);
        for (std::size_t i = 0; level > 0 && i < cities[level - 1].size(); ++i)
            ASSERT_EQ(list[i].name, cities[level - 1][i].name) << level << " " << i;
    }
}

TEST(committed_data, city_lines_are_names_and_coordinates_in_the_degree_notation) {
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
