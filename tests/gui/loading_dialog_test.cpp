#include "shell/ui/loading_dialog.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "geolocation/cache_files.h"
#include "map/map_view.h"
#include "map/startup_data.h"
#include "shell/settings.h"

namespace hoplot {
namespace {

// What the dialog showed during one stage: its text, and the bar when the next stage began.
struct shown_stage {
    std::string text;
    int value_at_end = 0;
    int maximum_at_end = 0;
};

class recording_dialog : public loading_dialog {
  public:
    void set_stage(const std::string& text) override {
        finish_stage();
        loading_dialog::set_stage(text);
        EXPECT_EQ(stage_label()->text().toStdString(), text);
        EXPECT_EQ(bar()->value(), 0) << "a new stage starts with an empty bar";
        stages.push_back({text});
    }

    void finish_stage() {
        if (stages.empty()) return;
        stages.back().value_at_end = bar()->value();
        stages.back().maximum_at_end = bar()->maximum();
    }

    QLabel* stage_label() const { return findChild<QLabel*>(QStringLiteral("stage")); }
    QProgressBar* bar() const { return findChild<QProgressBar*>(); }

    std::vector<shown_stage> stages;
};

TEST(loading_dialog, follows_the_loaders_through_maps_caches_and_cities) {
    const std::string saved = app_settings().db_path;
    app_settings().db_path = std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/";
    recording_dialog dialog;
    EXPECT_EQ(dialog.stage_label()->text(), "Loading Maps....");
    EXPECT_EQ(dialog.bar()->maximum(), 27);
    map_view view;
    ASSERT_FALSE(load_startup_data(view, dialog, load_position_caches));
    dialog.finish_stage();
    app_settings().db_path = saved;

    std::vector<std::string> expected;
    for (const char* level : {"Low", "Medium", "High"})
        for (const char* layer : {"Coastlines", "Rivers", "Boundaries"})
            expected.push_back(std::string("Loading ") + level + " Level " + layer);
    expected.insert(expected.end(), {"Loading update cache", "Loading hosts cache",
                                     "Loading networks cache", "Loading cities information"});
    ASSERT_EQ(dialog.stages.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const shown_stage& stage = dialog.stages[i];
        SCOPED_TRACE(stage.text);
        EXPECT_EQ(stage.text, expected[i]);
        if (i < 9) {
            EXPECT_EQ(stage.maximum_at_end, 100);
            EXPECT_GT(stage.value_at_end, 50) << "a map file moves the bar across";
        }
    }
    // Three cities files advance 9 each on a range of 18: the bar stops full.
    EXPECT_EQ(dialog.stages.back().maximum_at_end, 18);
    EXPECT_EQ(dialog.stages.back().value_at_end, 18);
    EXPECT_GT(dialog.stages[10].value_at_end, 0) << "the hosts cache advances per line";
}

// The loading holds the GUI thread, so each stage must paint before the loader goes on.
TEST(loading_dialog, paints_a_new_stage_without_returning_to_the_event_loop) {
    loading_dialog dialog;
    dialog.show();
    auto* stage = dialog.findChild<QLabel*>(QStringLiteral("stage"));
    struct paint_counter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    stage->installEventFilter(&counter);
    dialog.set_stage("Loading hosts cache");
    EXPECT_GT(counter.paints, 0);
}

} // namespace
} // namespace hoplot
