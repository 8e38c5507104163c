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

    // What --show --json tells of the lines of trace t.
    QJsonArray shown(int t) const {
        const std::string printed = dir.path() + "printed";
        std::FILE* out = std::fopen(printed.c_str(), "w");
        EXPECT_EQ(show_trace_file(path, values, out, true), 0);
        std::fclose(out);
        const auto document =
            QJsonDocument::fromJson(QByteArray::fromStdString(read_text_file(printed)));
        return document["traces"][t]["lines"].toArray();
    }
    // Those lines as the output window shows them: name, address, location and time.
    static strings shown_lines(const QJsonArray& shown) {
        strings lines;
        for (const QJsonValue& line : shown) {
            if (line["status"].isString()) {
                lines.push_back(line["status"].toString().toStdString() + "\t\t\t");
                continue;
            }
            lines.push_back((line["name"].toString() + "\t" + line["address"].toString() + "\t" +
                             line["location"].toString() + "\t" + line["time"].toString())
                                .toStdString());
        }
        return lines;
    }

    // The output window's lines, a blank cell as an empty field.
    strings window_lines() const {
        const QAbstractItemModel* model = named<QTableView>(*window, "Trace Output")->model();
        strings lines;
        for (int row = 0; row < model->rowCount(); ++row) {
            std::string line;
            for (int column = 0; column < 4; ++column) {
                const QString cell = model->index(row, column).data().toString();
                if (column) line += '\t';
                if (cell != " ") line += cell.toStdString();
            }
            lines.push_back(line);
        }
        return lines;
    }

    // The output window and the route on the map against what --show --json says of each line;
    // of each hop on the map its name, its position when it has one, and whether it is doubted.
    void expect_as_shown(int t) {
        const QJsonArray lines = shown(t);
        EXPECT_EQ(window_lines(), shown_lines(lines)) << "trace " << t;
        const route_rec* route = window->store().current_route();
        ASSERT_NE(route, nullptr);
        std::vector<point_rec> points;
        for (const hop_group& place : route->places)
            points.insert(points.end(), place.points.begin(), place.points.end());
        ASSERT_EQ(points.size(), static_cast<std::size_t>(hop_count));
        for (int hop = 0; hop < hop_count; ++hop) {
            const QJsonObject line = lines[hop].toObject();
            const point_rec& point = points[static_cast<std::size_t>(hop)];
            EXPECT_EQ(point.label, line["name"].toString().toStdString());
            if (line.contains("x")) {
                EXPECT_EQ(point.position, (map_point{line["x"].toInt(), line["y"].toInt()}));
            }
            EXPECT_EQ(point.doubtful, line["plausible"] == false)
                << "trace " << t << " hop " << hop;
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
    expect_as_shown(0);

    auto* list = named<QListWidget>(*window, "Traces");
    ASSERT_EQ(list->count(), trace_count);
    EXPECT_EQ(list->currentRow(), 0);
    for (const int t : {trace_count - 1, 137}) {
        list->scrollToItem(list->item(t));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(t)).center());
        EXPECT_EQ(window->store().current_trace(), static_cast<std::size_t>(t));
        expect_as_shown(t);
    }
    EXPECT_GT(doubted, 0) << "no position was doubted";
}

} // namespace
} // namespace hoplot
