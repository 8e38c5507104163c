#include "app/ui/loading_dialog.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "base/settings.h"
#include "geolocation/cache_files.h"
#include "map/map_view.h"
#include "map/startup_data.h"

namespace hoplot {
namespace {

QLabel* stage_label(const loading_dialog& dialog) {
    return dialog.findChild<QLabel*>(QStringLiteral("stage"));
}
QProgressBar* bar(const loading_dialog& dialog) {
    return dialog.findChild<QProgressBar*>();
}

// Records each stage as the dialog shows it, and the bar as the stage ends.
class recording_dialog : public loading_dialog {
  public:
    void set_stage(const std::string& text) override {
        if (!shown.empty()) bar_at_end.push_back(bar(*this)->value());
        loading_dialog::set_stage(text);
        EXPECT_EQ(bar(*this)->value(), 0) << text;
        shown.push_back(stage_label(*this)->text().toStdString());
    }
    std::vector<std::string> shown;
    std::vector<int> bar_at_end;
};

TEST(loading_dialog, follows_the_loaders_through_maps_caches_and_cities) {
    const std::string data = std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/";
    recording_dialog dialog;
    EXPECT_EQ(stage_label(dialog)->text(), "Loading Maps....");
    EXPECT_EQ(bar(dialog)->maximum(), 27);
    map_view view;
    ASSERT_FALSE(load_startup_data(view, data, dialog, [&data](loading_progress& progress) {
        load_position_caches(data, progress);
    }));

    std::vector<std::string> expected;
    for (const char* level : {"Low", "Medium", "High"})
        for (const char* layer : {"Coastlines", "Rivers", "Boundaries"})
            expected.push_back(std::string("Loading ") + level + " Level " + layer);
    expected.insert(expected.end(), {"Loading update cache", "Loading hosts cache",
                                     "Loading networks cache", "Loading cities information"});
    EXPECT_EQ(dialog.shown, expected);
    EXPECT_GT(dialog.bar_at_end.front(), 50) << "a map file moves the bar across";
    // Three cities files advance 9 each on a range of 18: the bar stops full.
    EXPECT_EQ(bar(dialog)->maximum(), 18);
    EXPECT_EQ(bar(dialog)->value(), 18);
}

struct paint_counter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The loading holds the GUI thread, so each stage and step must paint before the loader goes on.
TEST(loading_dialog, paints_stages_and_steps_without_returning_to_the_event_loop) {
    loading_dialog dialog;
    dialog.show();
    paint_counter stage, steps;
    stage_label(dialog)->installEventFilter(&stage);
    bar(dialog)->installEventFilter(&steps);
    dialog.set_stage("Loading hosts cache");
    EXPECT_GT(stage.paints, 0);
    dialog.set_range(4);
    steps.paints = 0;
    dialog.advance();
    EXPECT_GT(steps.paints, 0);
}

} // namespace
} // namespace hoplot
