#include "app/window_request.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace hoplot {
namespace {

TEST(window_request, tells_trace_files_from_destinations) {
    QTemporaryDir dir;
    const std::string saved = (dir.path() + "/route").toStdString(); // an existing file
    QFile file(QString::fromStdString(saved));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(dir.path()).mkdir("example.org"));
    const std::string directory = (dir.path() + "/example.org").toStdString();

    const struct {
        std::vector<std::string> arguments;
        std::string destination;
        std::string path;
    } cases[] = {
        {{}, "", ""},
        {{"example.org"}, "example.org", ""},
        {{"192.0.2.7"}, "192.0.2.7", ""},
        {{"http://example.org/page"}, "http://example.org/page", ""},
        {{"not/yet/saved.trc"}, "", "not/yet/saved.trc"},
        {{"OLD.TRC"}, "", "OLD.TRC"},
        {{saved}, "", saved},
        {{directory}, directory, ""},
    };
    for (const auto& c : cases) {
        const window_request_parse parsed = parse_window_request(c.arguments);
        ASSERT_TRUE(parsed.request) << parsed.error;
        EXPECT_EQ(parsed.request->trace_destination, c.destination);
        EXPECT_EQ(parsed.request->open_path, c.path);
    }
}

// The window takes no option, wherever it stands: the error names it.
TEST(window_request, refuses_options_and_more_than_one_argument) {
    const std::pair<std::vector<std::string>, std::string> bad[] = {
        {{"-x"}, "unknown option -x"},
        {{"example.org", "--json"}, "unknown option --json"},
        {{"--report"}, "unknown option --report"},
        {{""}, "empty destination"},
        {{"a.trc", "example.org"}, "one destination or trace file at most"}};
    for (const auto& [arguments, error] : bad) {
        const window_request_parse parsed = parse_window_request(arguments);
        EXPECT_FALSE(parsed.request) << error;
        EXPECT_EQ(parsed.error, error);
    }
}

} // namespace
} // namespace hoplot
