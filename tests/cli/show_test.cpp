#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "cli/command_line.h"
#include "cli/show.h"
#include "geolocation/position_cache.h"
#include "shell/show_message.h"

namespace hoplot {
namespace {

namespace fs = std::filesystem;

struct show_mode : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("hoplot-show-" + std::to_string(::getpid()));
    std::vector<std::string> messages;
    message_handler old_handler;

    show_mode() {
        fs::create_directories(dir);
        old_handler = set_message_handler([this](const std::string& m) { messages.push_back(m); });
    }
    ~show_mode() override {
        set_message_handler(old_handler);
        fs::remove_all(dir);
    }

    std::string file(const std::string& text) const {
        const std::string path = (dir / "t.trc").string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Runs the mode on a file and returns what it printed.
    std::string shown(const std::string& path, int& status) const {
        std::FILE* out = std::tmpfile();
        status = show_trace_file(path, out);
        std::rewind(out);
        std::string text;
        for (int c; (c = std::fgetc(out)) != EOF;)
            text += static_cast<char>(c);
        std::fclose(out);
        return text;
    }
};

TEST_F(show_mode, prints_each_trace_name_then_its_rows_placed_anew) {
    app_position_cache().insert("192.0.2.1", "gw", 37.77, "North", 122.42, "West");
    int status = -1;
    const std::string text =
        shown(file("2 192.0.2.9 3 0 192.0.2.1 192.0.2.1    1ms 255 Timed out. Retrying...  "
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
         {file("1 a 2 0 h 192.0.2.1 1ms "), (dir / "none.trc").string()}) {
        messages.clear();
        EXPECT_EQ(shown(path, status), "");
        EXPECT_EQ(status, 1);
        EXPECT_EQ(messages, std::vector<std::string>{"Can't read file " + path});
    }
}

TEST_F(show_mode, is_reached_from_the_command_line) {
    EXPECT_EQ(run_command_line({"--show"}), 2);
    EXPECT_EQ(run_command_line({"--show", "a.trc", "b.trc"}), 2);
    EXPECT_EQ(run_command_line({"--show", (dir / "none.trc").string()}), 1);
}

} // namespace
} // namespace hoplot
