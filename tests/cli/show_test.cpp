#include <cstdio>
#include <gtest/gtest.h>

#include "base/show_message.h"
#include "cli/command_line.h"
#include "cli/show.h"
#include "geolocation/position_cache.h"
#include "geolocation/scratch_dir.h"

namespace hoplot {
namespace {

struct show_mode : ::testing::Test {
    scratch_dir dir;
    std::vector<std::string> messages;
    message_handler old_handler =
        set_message_handler([this](const std::string& m) { messages.push_back(m); });

    ~show_mode() override { set_message_handler(old_handler); }

    // Runs the mode on a file and returns what it printed.
    std::string shown(const std::string& path, int& status) const {
        const std::string printed = dir.path() + "printed";
        std::FILE* out = std::fopen(printed.c_str(), "w");
        status = show_trace_file(path, app_location_sources(settings{}), out);
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
