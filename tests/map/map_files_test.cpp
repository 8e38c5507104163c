#include "map/map_files.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>

#include "map/cities.h"
#include "map/map_test_files.h"
#include "map/map_view.h"

namespace hoplot {
namespace {

map_file_status parse(const std::string& bytes, std::uint32_t grid, map_level& level) {
    no_progress progress;
    return parse_map_file({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, grid,
                          level, progress);
}

map_level parsed(const std::string& bytes, std::uint32_t grid) {
    map_level level;
    EXPECT_EQ(parse(bytes, grid, level), map_file_status::loaded);
    return level;
}

TEST(MapFile, EmptyLowFileIsSeventyTwoBytesOfEmptyCells) {
    const std::string bytes = map_file_bytes(4, 256);
    ASSERT_EQ(bytes.size(), 72u);
    const map_level level = parsed(bytes, 4);
    EXPECT_EQ(level.cell_size(), 256u);
    ASSERT_EQ(level.cell_count(), 16u);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(level.cell(i).polyline_count(), 0u);
}

TEST(MapFile, CellsRunColumnByColumnFromTheSouthWestCorner) {
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
        const std::size_t cell = std::size_t{c.ix} * c.grid + c.iy;
        const map_level level =
            parsed(map_file_bytes(c.grid, 256, {{cell, {{c.bx, c.by}}}}), c.grid);
        ASSERT_EQ(level.cell(c.ix, c.iy).polyline_count(), 1u) << cell;
        const world_position at =
            world_point(level, c.ix, c.iy, level.cell(c.ix, c.iy).polyline(0)[0], 831, 572);
        EXPECT_DOUBLE_EQ(at.x, c.wx) << c.grid << " " << cell;
        EXPECT_DOUBLE_EQ(at.y, c.wy) << c.grid << " " << cell;
    }
}

TEST(MapFile, EmptyPolylineTakesNoBytes) {
    const std::string bytes =
        map_file_bytes(4, 256, {{0, {{}, {1, 1, 2, 2}, {}, {3, 3}}}, {1, {{9, 9}}}});
    EXPECT_EQ(bytes.size(), 72u + 4 * 4 + 3 * 2 + 4 + 2);
    const map_level level = parsed(bytes, 4);
    const map_cell first = level.cell(0);
    ASSERT_EQ(first.polyline_count(), 4u);
    EXPECT_EQ((std::array{first.point_count(0), first.point_count(1), first.point_count(2)}),
              (std::array<std::size_t, 3>{0, 2, 0}));
    EXPECT_EQ(first.polyline(3)[0].bx, 3);
    EXPECT_EQ(level.cell(1).polyline(0)[0].bx, 9);
}

TEST(MapFile, ShortOrCorruptFileFailsAndLeavesTheLevelAlone) {
    const std::string whole =
        map_file_bytes(4, 256, {{0, {{1, 1, 2, 2}, {}, {3, 3}}}, {15, {{9, 9}}}});
    std::vector<std::string> damaged;
    for (std::size_t length = 0; length < whole.size(); ++length)
        damaged.push_back(whole.substr(0, length));
    damaged.push_back(map_file_bytes(4, 256, {{0, {{}}}}).replace(8, 4, "\xFF\xFF\xFF\xFF"));
    damaged.push_back(map_file_bytes(4, 256, {{0, {{1, 1}}}}).replace(12, 4, "\xFF\xFF\xFF\xF0"));
    damaged.push_back(map_file_bytes(4, 0)); // no cell size to divide by
    for (const auto& bytes : damaged) {
        map_level level = parsed(map_file_bytes(4, 256, {{5, {{7, 7}}}}), 4);
        EXPECT_EQ(parse(bytes, 4, level), map_file_status::failed) << bytes.size();
        ASSERT_EQ(level.cell_count(), 16u);
        EXPECT_EQ(level.cell(5).polyline_count(), 1u) << bytes.size();
    }
}

TEST(MapFile, ProgressRunsInHundredthsOfTheFile) {
    std::map<std::size_t, std::vector<stored_polyline>> cells;
    for (std::size_t i = 0; i < 16; ++i)
        cells[i] = {stored_polyline(200, 1), stored_polyline(2, 1)};
    const std::string tiny = map_file_bytes(4, 256, {{3, {{1, 1}}}}); // under 100 bytes
    for (const auto& bytes : {map_file_bytes(4, 256, cells), tiny}) {
        map_level level;
        recording_progress progress;
        parse_map_file({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, 4,
                       level, progress);
        EXPECT_EQ(progress.events, std::vector<std::string>{"range 100"});
        EXPECT_GT(progress.steps, 0);
        EXPECT_LE(progress.steps, 100);
    }
}

const char* const all_map_files[] = {"map.cil.4.256",   "map.riv.4.256",   "map.bdy.4.256",
                                     "map.cil.32.256",  "map.riv.32.256",  "map.bdy.32.256",
                                     "map.cil.256.256", "map.riv.256.256", "map.bdy.256.256"};

void write_all_map_files(const scratch_data_dir& dir) {
    for (const std::string name : all_map_files)
        dir.write(name,
                  map_file_bytes(static_cast<std::uint32_t>(std::stoul(name.substr(8))), 256));
}

TEST(MapData, MaxLevelIsTheLastLevelBeforeTheFirstUnusableFile) {
    const struct {
        const char* damaged;
        bool truncated; // else missing
        int max_level;
    } cases[] = {{nullptr, false, 3},
                 {"map.riv.256.256", false, 1},
                 {"map.bdy.256.256", true, 1},
                 {"map.cil.32.256", false, 0},
                 {"map.bdy.4.256", false, -1}};
    for (const auto& c : cases) {
        scratch_data_dir dir;
        write_all_map_files(dir);
        if (c.damaged && c.truncated)
            dir.write(c.damaged, map_file_bytes(256, 256).substr(0, 9));
        else if (c.damaged)
            std::filesystem::remove(dir.map_path(c.damaged));
        map_view view;
        recording_progress progress;
        EXPECT_EQ(load_map_data(view, progress), std::nullopt);
        EXPECT_EQ(view.max_level, c.max_level) << (c.damaged ? c.damaged : "none");
        for (int level = 0; level <= c.max_level && level < 3; ++level) {
            EXPECT_FALSE(view.maps->coastlines[level].empty());
            EXPECT_FALSE(view.maps->boundaries[level].empty());
        }
        if (c.truncated) {
            EXPECT_TRUE(view.maps->boundaries[2].empty());
        }
        if (c.damaged && std::string(c.damaged) == "map.riv.256.256") {
            EXPECT_EQ(progress.events.back(), "Loading High Level Rivers");
            EXPECT_EQ(progress.events[4], "Loading Low Level Boundaries");
        }
    }
}

TEST(MapData, ReadOnlyFilesLoad) {
    scratch_data_dir dir;
    write_all_map_files(dir);
    for (const std::string name : all_map_files)
        std::filesystem::permissions(dir.map_path(name), std::filesystem::perms::owner_read);
    map_view view;
    no_progress progress;
    load_map_data(view, progress);
    EXPECT_EQ(view.max_level, 3);
}

TEST(MapData, WrongGridNamesTheFileAndEndsTheProgram) {
    scratch_data_dir dir;
    write_all_map_files(dir);
    dir.write("map.cil.32.256", map_file_bytes(4, 256));
    map_view view;
    no_progress progress;
    EXPECT_EQ(load_map_data(view, progress), std::optional<std::string>("maps/map.cil.32.256"));
    EXPECT_EXIT(end_with_wrong_map_data("maps/map.cil.32.256"), testing::ExitedWithCode(0),
                "Wrong data in file maps/map.cil.32.256");
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
        EXPECT_FALSE(view.maps->boundaries[level].empty()) << level;
        EXPECT_FALSE((*view.cities)[level].empty()) << level;
    }
    EXPECT_LE(progress.steps, 9 * 100 + 3 * 9); // no file's bar runs past its end
}

} // namespace
} // namespace hoplot
