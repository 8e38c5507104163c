#include <cstdio>
#include <gtest/gtest.h>

#include "base/settings.h"
#include "cli/command_line.h"
#include "cli/show.h"
#include "geolocation/position_cache.h"
#include "geolocation/scratch_dir.h"
#include "support/message_log.h"

namespace hoplot {
namespace {

struct show_mode : ::testing::Test, test::message_log {
    scratch_dir dir;
    settings values;

    // Runs the mode on a file and returns what it printed.
    std::string shown(const std::string& path, int& status, bool json = false) const {
        const std::string printed = dir.path() + "printed";
        std::FILE* out = std::fopen(printed.c_str(), "w");
        status = show_trace_file(path, values, out, json);
        std::fclose(out);
        return read_text_file(printed);
    }
};

TEST_F(show_mode, prints_each_trace_name_then_its_rows_placed_anew) {
    app_position_cache().insert("192.0.2.1", "gw", 37.77, "North", 122.42, "West");
    int status = -1;
    const std::string text = shown(
        dir.write("t.trc", "2 192.0.2.9 3 0 192.0.2.1 192.0.2.1    1ms 255 Timed out. Retrying...  "
                           "16711680 Done 198.51.100.1 1 0 odd%20name 198.51.100.1 7ms "),
        status);
    app_position_cache().clear();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(text, "192.0.2.9\n"
                    "192.0.2.1\t192.0.2.1\t   37.77\u00B0 North,   122.42\u00B0 West\t1ms\n"
                    "Timed out. Retrying... \t\t\t\n"
                    "Done\t\t\t\n"
                    "198.51.100.1\n"
                    "odd name\t198.51.100.1\tUnresolved\t7ms\n");
    EXPECT_TRUE(messages.empty());
}

// Seen from a home in Paris, a hop in Tokyo that answered in under 2 ms cannot be right; one in
// Paris can; nothing can be said of an unplaced one. Rows from a file have no measured round trip.
TEST_F(show_mode, json_gives_positions_and_what_the_check_says) {
    app_position_cache().insert("192.0.2.1", "near", 48.86, "North", 2.35, "East");
    app_position_cache().insert("192.0.2.2", "far", 35.68, "North", 139.69, "East");
    values.home_location = "48.85 2.35";
    int status = -1;
    const std::string text =
        shown(dir.write("t.trc", "1 dest 4 0 near 192.0.2.1 1ms 0 far 192.0.2.2 1ms "
                                 "0 lost 192.0.2.3 1ms 16711680 Done "),
              status, true);
    app_position_cache().clear();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(
        text,
        "{\"traces\":[\n{\"name\":\"dest\",\"lines\":[\n"
        "{\"name\":\"near\",\"address\":\"192.0.2.1\",\"location\":\"   48.86\u00B0 North,     "
        "2.35\u00B0 East\",\"kind\":0,\"source\":\"cache\",\"x\":33196,\"y\":14979,"
        "\"latitude\":48.8600,\"longitude\":2.3500,\"time\":\"1ms\",\"colour\":0,"
        "\"plausible\":true},\n"
        "{\"name\":\"far\",\"address\":\"192.0.2.2\",\"location\":\"   35.68\u00B0 North,   "
        "139.69\u00B0 East\",\"kind\":0,\"source\":\"cache\",\"x\":58198,\"y\":19777,"
        "\"latitude\":35.6800,\"longitude\":139.6900,\"time\":\"1ms\",\"colour\":0,"
        "\"plausible\":false,\"bound_km\":300.0,\"distance_km\":9713.6},\n"
        "{\"name\":\"lost\",\"address\":\"192.0.2.3\",\"location\":\"Unresolved\",\"kind\":0,"
        "\"source\":\"none\",\"time\":\"1ms\",\"colour\":0,\"plausible\":null},\n"
        "{\"status\":\"Done\",\"colour\":16711680}]}]}\n");
}

TEST_F(show_mode, an_unreadable_file_fails_with_the_message_and_prints_nothing) {
    int status = -1;
    for (const std::string& path :
         {dir.write("t.trc", "1 a 2 0 h 192.0.2.1 1ms "), dir.path() + "none.trc"}) {
        messages.clear();
        EXPECT_EQ(shown(path, status), "");
        EXPECT_EQ(status, 1);
        EXPECT_EQ(messages, std::vector<std::string>{"Can't read file " + path});
    }
    EXPECT_EQ(run_command_line({"--show"}), 2);
    EXPECT_EQ(run_command_line({"--show", "a.trc", "b.trc"}), 2);
    EXPECT_EQ(run_command_line({"--show", dir.path() + "none.trc"}), 1);
}

} // namespace
} // namespace hoplot
