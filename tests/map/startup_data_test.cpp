#include "map/startup_data.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "map/map_test_files.h"
#include "map/map_view.h"

namespace hoplot {
namespace {

using namespace test;

void write_all_cities_files(const scratch_data_dir& dir) {
    for (const char* name : {"cities.file.1", "cities.file.2", "cities.file.3"})
        dir.write_map(name, "Rome 41 54N 12 30E\n");
}

// The first picture waits for the Low level and the first cities file alone (the loading
// dialog's test follows its stages); the max level stays 3 until the other levels have been tried.
TEST(startup_data, the_first_picture_waits_for_the_low_level_and_the_first_cities) {
    scratch_data_dir dir;
    write_all_map_files(dir);
    write_all_cities_files(dir);
    map_view view;
    no_progress progress;
    EXPECT_EQ(load_first_level(view, dir.path(), progress), std::nullopt);
    EXPECT_EQ(view.max_level, 3);
    EXPECT_TRUE(level_loaded(*view.maps, 0));
    EXPECT_FALSE(level_loaded(*view.maps, 1));
    EXPECT_EQ((*view.cities)[0].size(), 1u);
    EXPECT_TRUE((*view.cities)[1].empty());
    EXPECT_EQ(load_detail_levels(dir.path(), -1).max_level, -1) << "nothing above no Low level";

    std::filesystem::remove(dir.map_path("cities.file.1"));
    EXPECT_EQ(load_first_level(view, dir.path(), progress), std::nullopt);
    EXPECT_EQ(view.max_level, -1);
    dir.write_map("map.riv.4.256", map_file_bytes(32, 256));
    EXPECT_EQ(load_first_level(view, dir.path(), progress),
              std::optional<std::string>("maps/map.riv.4.256"));
}

// Reading the other levels later ends where reading every level at start ends (the max levels of
// the map and cities tests).
TEST(startup_data, later_levels_give_the_max_level_that_loading_them_at_start_gave) {
    const struct {
        const char* missing;
        int max_level;
    } cases[] = {{nullptr, 3},
                 {"map.riv.256.256", 1},
                 {"map.cil.32.256", 0},
                 {"cities.file.3", 1},
                 {"cities.file.2", 0}};
    for (const auto& c : cases) {
        scratch_data_dir dir;
        write_all_map_files(dir);
        write_all_cities_files(dir);
        if (c.missing) std::filesystem::remove(dir.map_path(c.missing));
        no_progress quiet;
        map_view later;
        ASSERT_EQ(load_first_level(later, dir.path(), quiet), std::nullopt);
        const auto low = later.maps;
        add_detail_levels(later, load_detail_levels(dir.path(), later.max_level));
        EXPECT_EQ(later.max_level, c.max_level) << (c.missing ? c.missing : "none");
        for (int level = 0; level <= std::min(c.max_level, 2); ++level) {
            EXPECT_TRUE(level_loaded(*later.maps, level)) << level;
            EXPECT_EQ((*later.cities)[level].size(), 1u) << level;
        }
        EXPECT_FALSE(level_loaded(*low, 1)) << "views copied before keep their data";
    }
    scratch_data_dir dir;
    write_all_map_files(dir);
    dir.write_map("map.cil.32.256", map_file_bytes(4, 256));
    EXPECT_EQ(load_detail_levels(dir.path(), 3).wrong_grid,
              std::optional<std::string>("maps/map.cil.32.256"));
}

} // namespace
} // namespace hoplot
