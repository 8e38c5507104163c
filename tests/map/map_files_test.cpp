#include "map/map_files.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "map/cities.h"
#include "map/map_test_files.h"
#include "map/map_view.h"
#include "shell/show_message.h"

namespace hoplot {
namespace {

std::span<const std::uint8_t> as_bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

map_level parsed(const std::string& bytes, std::uint32_t grid) {
    map_level level;
    no_progress progress;
    EXPECT_EQ(parse_map_file(as_bytes(bytes), grid, level, progress), map_file_status::loaded);
    return level;
}

const char* const all_map_files[] = {
    "map.cil.4.256",  "map.riv.4.256",   "map.bdy.4.256",   "map.cil.32.256",  "map.riv.32.256",
    "map.bdy.32.256", "map.cil.256.256", "map.riv.256.256", "map.bdy.256.256",
};

std::uint32_t grid_of(const std::string& name) {
    return static_cast<std::uint32_t>(std::stoul(name.substr(8)));
}

void write_all_map_files(const scratch_data_dir& dir) {
    for (const std::string name : all_map_files)
        dir.write(name, map_file_bytes(grid_of(name), 256));
}

TEST(MapFile, EmptyLowFileIsSeventyTwoBytesOfEmptyCells) {
    const std::string bytes = map_file_bytes(4, 256);
    ASSERT_EQ(bytes.size(), 72u);
    const map_level level = parsed(bytes, 4);
    EXPECT_EQ(level.grid(), 4u);
    EXPECT_EQ(level.cell_size(), 256u);
    ASSERT_EQ(level.cell_count(), 16u);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(level.cell(i).polyline_count(), 0u);
}

TEST(MapFile, CellsAreStoredColumnByColumnFromTheSouth) {
    // Cell 1 is column 0, row 1; cell 4 is column 1, row 0.
    const map_level level = parsed(map_file_bytes(4, 256, {{1, {{1, 2}}}, {4, {{3, 4}}}}), 4);
    ASSERT_EQ(level.cell(0, 1).polyline_count(), 1u);
    EXPECT_EQ(level.cell(0, 1).polyline(0)[0].bx, 1);
    EXPECT_EQ(level.cell(0, 1).polyline(0)[0].by, 2);
    ASSERT_EQ(level.cell(1, 0).polyline_count(), 1u);
    EXPECT_EQ(level.cell(1, 0).polyline(0)[0].bx, 3);
    EXPECT_EQ(level.cell(1, 1).polyline_count(), 0u);
}

TEST(MapFile, PointsLieInTheirCellsCorner) {
    const struct {
        std::uint32_t grid, ix, iy;
        std::uint8_t bx, by;
        double wx, wy;
    } cases[] = {
        {4, 0, 0, 0, 0, 0, 572},             // the south-west corner of the world
        {4, 2, 2, 128, 128, 519.375, 214.5}, // X = Yn = 640 of 1024
        {256, 0, 0, 0, 0, 0, 572},
        {32, 31, 31, 255, 255, 831 * (8191.0 / 8192), 572 / 8192.0}, // the north-east cell
    };
    for (const auto& c : cases) {
        const std::size_t cell = std::size_t{c.ix} * c.grid + c.iy;
        const map_level level =
            parsed(map_file_bytes(c.grid, 256, {{cell, {{c.bx, c.by}}}}), c.grid);
        const cell_point point = level.cell(c.ix, c.iy).polyline(0)[0];
        const world_position at = world_point(level, c.ix, c.iy, point, 831, 572);
        EXPECT_DOUBLE_EQ(at.x, c.wx) << c.grid << " " << c.ix;
        EXPECT_DOUBLE_EQ(at.y, c.wy) << c.grid << " " << c.ix;
    }
}

TEST(MapFile, EmptyPolylineTakesNoBytes) {
    const std::string bytes =
        map_file_bytes(4, 256, {{0, {{1, 1, 2, 2}, {}, {3, 3}}}, {1, {{9, 9}}}});
    EXPECT_EQ(bytes.size(), 72u + 3 * 4 + 3 * 2 + 4 + 2);
    const map_level level = parsed(bytes, 4);
    const map_cell first = level.cell(0);
    ASSERT_EQ(first.polyline_count(), 3u);
    EXPECT_EQ(first.point_count(0), 2u);
    EXPECT_EQ(first.point_count(1), 0u);
    ASSERT_EQ(first.point_count(2), 1u);
    EXPECT_EQ(first.polyline(2)[0].bx, 3);
    EXPECT_EQ(level.cell(1).polyline(0)[0].bx, 9);

    const map_level only_empty = parsed(map_file_bytes(4, 256, {{2, {{}}}}), 4);
    ASSERT_EQ(only_empty.cell(2).polyline_count(), 1u);
    EXPECT_TRUE(only_empty.cell(2).polyline(0).empty());
}

TEST(MapFile, ShortFileFailsAtEveryByteAndLeavesTheLevelAlone) {
    const std::string whole =
        map_file_bytes(4, 256, {{0, {{1, 1, 2, 2}, {}, {3, 3}}}, {15, {{9, 9, 8, 8}}}});
    const map_level before = parsed(map_file_bytes(4, 256, {{5, {{7, 7}}}}), 4);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        map_level level = before;
        no_progress progress;
        EXPECT_EQ(parse_map_file(as_bytes(whole.substr(0, length)), 4, level, progress),
                  map_file_status::failed)
            << length;
        ASSERT_EQ(level.cell_count(), 16u);
        EXPECT_EQ(level.cell(5).polyline_count(), 1u) << length;
    }
}

TEST(MapFile, CorruptCountsFailWithoutHugeAllocations) {
    std::string huge_polylines = map_file_bytes(4, 256);
    huge_polylines.replace(8, 4, "\xFF\xFF\xFF\xFF");
    std::string huge_points = map_file_bytes(4, 256, {{0, {{1, 1}}}});
    huge_points.replace(12, 4, "\xFF\xFF\xFF\xF0");
    const std::string no_cell_size = map_file_bytes(4, 0);
    for (const auto& bytes : {huge_polylines, huge_points, no_cell_size}) {
        map_level level;
        no_progress progress;
        EXPECT_EQ(parse_map_file(as_bytes(bytes), 4, level, progress), map_file_status::failed);
        EXPECT_TRUE(level.empty());
    }
}

TEST(MapFile, WrongGridIsToldApart) {
    map_level level;
    no_progress progress;
    EXPECT_EQ(parse_map_file(as_bytes(map_file_bytes(4, 256)), 32, level, progress),
              map_file_status::wrong_grid);
}

TEST(MapFile, ProgressRunsInHundredthsOfTheFile) {
    std::map<std::size_t, std::vector<stored_polyline>> cells;
    for (std::size_t i = 0; i < 16; ++i)
        cells[i] = {stored_polyline(200, 1), stored_polyline(2, 1)};
    const std::string big = map_file_bytes(4, 256, cells);
    const std::string tiny = map_file_bytes(4, 256, {{3, {{1, 1}}}}); // under 100 bytes
    for (const auto& bytes : {big, tiny}) {
        map_level level;
        recording_progress progress;
        ASSERT_EQ(parse_map_file(as_bytes(bytes), 4, level, progress), map_file_status::loaded);
        EXPECT_EQ(progress.events, std::vector<std::string>{"range 100"});
        EXPECT_GT(progress.steps, 0);
        EXPECT_LE(progress.steps, 100);
    }
}

TEST(MapData, MaxLevelIsTheLastLevelBeforeTheFirstMissingFile) {
    const struct {
        const char* missing;
        int max_level;
    } cases[] = {{nullptr, 3},
                 {"map.riv.256.256", 1},
                 {"map.cil.32.256", 0},
                 {"map.bdy.4.256", -1},
                 {"map.cil.4.256", -1}};
    for (const auto& c : cases) {
        scratch_data_dir dir;
        write_all_map_files(dir);
        if (c.missing) std::filesystem::remove(dir.map_path(c.missing));
        map_view view;
        recording_progress progress;
        EXPECT_EQ(load_map_data(view, progress), std::nullopt);
        EXPECT_EQ(view.max_level, c.max_level) << (c.missing ? c.missing : "none");
        for (int level = 0; level <= c.max_level && level < 3; ++level) {
            EXPECT_FALSE(view.maps->coastlines[level].empty());
            EXPECT_FALSE(view.maps->rivers[level].empty());
            EXPECT_FALSE(view.maps->boundaries[level].empty());
        }
    }
}

TEST(MapData, EachFileIsAnnouncedBeforeItIsRead) {
    scratch_data_dir dir;
    write_all_map_files(dir);
    std::filesystem::remove(dir.map_path("map.riv.256.256"));
    map_view view;
    recording_progress progress;
    load_map_data(view, progress);
    const std::vector<std::string> expected = {"Loading Low Level Coastlines",    "range 100",
                                               "Loading Low Level Rivers",        "range 100",
                                               "Loading Low Level Boundaries",    "range 100",
                                               "Loading Medium Level Coastlines", "range 100",
                                               "Loading Medium Level Rivers",     "range 100",
                                               "Loading Medium Level Boundaries", "range 100",
                                               "Loading High Level Coastlines",   "range 100",
                                               "Loading High Level Rivers"};
    EXPECT_EQ(progress.events, expected);
}

TEST(MapData, DamagedHigherLevelIsNeverDrawn) {
    scratch_data_dir dir;
    write_all_map_files(dir);
    const std::string bytes = map_file_bytes(256, 256, {{0, {{1, 1}}}});
    dir.write("map.bdy.256.256", bytes.substr(0, bytes.size() - 1));
    map_view view;
    no_progress progress;
    load_map_data(view, progress);
    EXPECT_EQ(view.max_level, 1);
    EXPECT_TRUE(view.maps->boundaries[2].empty());
}

TEST(MapData, ReadOnlyFilesLoad) {
    scratch_data_dir dir;
    write_all_map_files(dir);
    for (const std::string name : all_map_files) {
        std::filesystem::permissions(dir.map_path(name), std::filesystem::perms::owner_read,
                                     std::filesystem::perm_options::replace);
    }
    map_view view;
    no_progress progress;
    load_map_data(view, progress);
    EXPECT_EQ(view.max_level, 3);
}

TEST(MapData, WrongGridNamesTheFile) {
    scratch_data_dir dir;
    write_all_map_files(dir);
    dir.write("map.cil.32.256", map_file_bytes(4, 256));
    map_view view;
    no_progress progress;
    EXPECT_EQ(load_map_data(view, progress), std::optional<std::string>("maps/map.cil.32.256"));
}

TEST(MapData, CommittedDataLoadsEveryLevel) {
    const std::string saved = app_settings().db_path;
    app_settings().db_path = std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/";
    map_view view;
    recording_progress progress;
    EXPECT_EQ(load_map_data(view, progress), std::nullopt);
    load_cities(view, progress);
    app_settings().db_path = saved;
    EXPECT_EQ(view.max_level, 3);
    for (int level = 0; level < 3; ++level) {
        EXPECT_FALSE(view.maps->coastlines[level].empty()) << level;
        EXPECT_FALSE((*view.cities)[level].empty()) << level;
    }
    EXPECT_GT(progress.steps, 3 * 9);
    EXPECT_LE(progress.steps, 9 * 100 + 3 * 9); // no file's bar runs past its end
}

TEST(MapDataDeathTest, WrongGridEndsTheProgramWithStatusZero) {
    EXPECT_EXIT(end_with_wrong_map_data("maps/map.cil.32.256"), testing::ExitedWithCode(0),
                "Wrong data in file maps/map.cil.32.256");
}

} // namespace
} // namespace hoplot
