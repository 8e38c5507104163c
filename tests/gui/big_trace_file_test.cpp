#include <QAbstractItemModel>
#include <QApplication>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "app/ui/main_window.h"
#include "cli/show.h"
#include "geolocation/position_cache.h"
#include "geolocation/scratch_dir.h"
#include "gui/answer_next.h"
#include "gui/find_widget.h"

namespace hoplot {
namespace {

using strings = std::vector<std::string>;

constexpr int trace_count = 300;
constexpr int hop_count = 15;

// Traces of 15 hops and "Done", their hops placed by the cache, by the host-name rules or by
// nothing. Hops in far countries answer a millisecond apart, which the check cannot believe.
std::string big_file_text() {
    const char* const lands[] = {"jp", "fr", "au", "example", "de"};
    std::string text = std::to_string(trace_count) + " ";
    for (int t = 0; t < trace_count; ++t) {
        text += "dest" + std::to_string(t) + ".example " + std::to_string(hop_count + 1) + " ";
        for (int hop = 0; hop < hop_count; ++hop) {
            const int n = (t * 7 + hop * 3) % 200 + 1;
            text += "0 r" + std::to_string(hop) + ".core." + lands[(t + hop) % 5] + " 192.0." +
                    std::to_string(n % 3) + "." + std::to_string(n) + " " +
                    std::to_string(hop + 1) + "ms ";
        }
        text += "16711680 Done ";
    }
    return text;
}

struct big_trace_file : ::testing::Test {
    scratch_dir dir;
    std::string path = dir.write("big.trc", big_file_text());
    settings values;
    std::unique_ptr<main_window> window;

    void SetUp() override {
        for (int n = 1; n <= 200; n += 4)
            app_position_cache().insert("192.0.1." + std::to_string(n), "cached", 40.0 + n % 7,
                                        "North", 74.0, "West");
        values.main_window_width = 900;
        values.main_window_height = 700;
        window = std::make_unique<main_window>(values);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override {
        window.reset();
        app_position_cache().clear();
    }

    // What --show prints and tells in JSON of trace t.
    strings shown_lines(int t) const {
        const std::string text = show_output(false);
        strings lines;
        std::size_t at = text.find("dest" + std::to_string(t) + ".example\n");
        at = text.find('\n', at) + 1;
        for (int row = 0; row <= hop_count; ++row) {
            const std::size_t end = text.find('\n', at);
            lines.push_back(text.substr(at, end - at));
            at = end + 1;
        }
        return lines;
    }
    QJsonArray shown_json(int t) const {
        const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(show_output(true)));
        return document["traces"][t]["lines"].toArray();
    }
    std::string show_output(bool json) const {
        const std::string printed = dir.path() + "printed";
        std::FILE* out = std::fopen(printed.c_str(), "w");
        EXPECT_EQ(show_trace_file(path, values, out, json), 0);
        std::fclose(out);
        return read_text_file(printed);
    }

    // The output window's lines as --show prints rows.
    strings window_lines() const {
        const QAbstractItemModel* model = named<QTableView>(*window, "Trace Output")->model();
        strings lines;
        for (int row = 0; row < model->rowCount(); ++row) {
            std::string line;
            for (int column = 0; column < 4; ++column) {
                const QString cell = model->index(row, column).data().toString();
                line += (column ? "\t" : "") + (cell == " " ? std::string() : cell.toStdString());
            }
            lines.push_back(line);
        }
        return lines;
    }

    // The route on the map against what --show --json says of each hop: its name, its position
    // when it has one, and whether the check doubts it.
    void expect_route_as_shown(int t) {
        const route_rec* route = window->store().current_route();
        ASSERT_NE(route, nullptr);
        std::vector<point_rec> points;
        for (const hop_group& place : route->places)
            points.insert(points.end(), place.points.begin(), place.points.end());
        const QJsonArray lines = shown_json(t);
        ASSERT_EQ(points.size(), static_cast<std::size_t>(hop_count));
        for (int hop = 0; hop < hop_count; ++hop) {
            const QJsonObject line = lines[hop].toObject();
            const point_rec& point = points[static_cast<std::size_t>(hop)];
            EXPECT_EQ(point.label, line["name"].toString().toStdString());
            if (line.contains("x")) {
                EXPECT_EQ(point.position, (map_point{line["x"].toInt(), line["y"].toInt()}));
            }
            EXPECT_EQ(point.doubtful, line["plausible"] == false) << "trace " << t << " hop " << hop;
            doubted += point.doubtful ? 1 : 0;
        }
    }
    int doubted = 0;
};

TEST_F(big_trace_file, opens_with_the_rows_and_route_of_show_and_shows_each_trace_picked) {
    answer_next<QFileDialog>([this](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    find_action(*window, "&Open")->trigger();
    ASSERT_EQ(window->store().trace_count(), trace_count);
    EXPECT_EQ(window_lines(), shown_lines(0));
    expect_route_as_shown(0);

    auto* list = named<QListWidget>(*window, "Traces");
    ASSERT_EQ(list->count(), trace_count);
    EXPECT_EQ(list->currentRow(), 0);
    for (const int t : {trace_count - 1, 137}) {
        list->scrollToItem(list->item(t));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(t)).center());
        EXPECT_EQ(window->store().current_trace(), static_cast<std::size_t>(t));
        EXPECT_EQ(window_lines(), shown_lines(t));
        expect_route_as_shown(t);
    }
    EXPECT_GT(doubted, 0) << "no position was doubted";
}

} // namespace
} // namespace hoplot
