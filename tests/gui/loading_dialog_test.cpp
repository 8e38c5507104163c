#include "app/ui/loading_dialog.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "base/settings.h"
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

TEST(loading_dialog, follows_the_loading_of_what_the_first_picture_needs) {
    const std::string data = std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/";
    recording_dialog dialog;
    EXPECT_EQ(stage_label(dialog)->text(), "Loading Maps....");
    EXPECT_EQ(bar(dialog)->maximum(), 27);
    map_view view;
    ASSERT_FALSE(load_first_level(view, data, dialog));

    EXPECT_EQ(dialog.shown,
              (std::vector<std::string>{"Loading Low Level Coastlines", "Loading Low Level Rivers",
                                        "Loading Low Level Boundaries",
                                        "Loading cities information"}));
    EXPECT_GT(dialog.bar_at_end.front(), 50) << "a map file moves the bar across";
    EXPECT_EQ(bar(dialog)->maximum(), 18);
    EXPECT_EQ(bar(dialog)->value(), 9) << "one cities file";
}

// A start that is over in a blink shows no dialog; a slow one shows it where it has got to.
TEST(loading_dialog, shows_only_once_the_loading_takes_more_than_a_moment) {
    late_loading_dialog quick(std::chrono::hours(1));
    quick.set_stage("Loading Low Level Coastlines");
    quick.advance();
    EXPECT_EQ(quick.dialog(), nullptr);

    late_loading_dialog slow(std::chrono::milliseconds(0));
    slow.set_stage("Loading cities information");
    slow.set_range(18);
    ASSERT_NE(slow.dialog(), nullptr);
    slow.advance();
    EXPECT_TRUE(slow.dialog()->isVisible());
    EXPECT_EQ(stage_label(*slow.dialog())->text(), "Loading cities information");
    EXPECT_EQ(bar(*slow.dialog())->maximum(), 18);
    EXPECT_EQ(bar(*slow.dialog())->value(), 1);
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
