#include "shell/ui/information_window.h"

#include <QLabel>
#include <gtest/gtest.h>

#include "map/read_outs.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

// Every read-out is a label that lies wholly inside the panel's 246 pixels, mouse line included.
TEST(information_window, read_outs_are_labels_inside_the_window) {
    information_window window;
    window.resize(175, 246);
    window.show();
    map_view view = test::sized_view();
    view.zoom = 16;
    window.trace_count_changed(3);
    window.refresh(view);
    window.set_mouse(view, {0, 0});

    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        texts << label->text();
        EXPECT_TRUE(window.rect().contains(label->geometry())) << label->text().toStdString();
    }
    for (const std::string& expected :
         {std::string("# Traces : "), std::string(" 3"), std::string("Current Zoom : "),
          std::string(" 16:1"), view_centre_text(view),
          std::string("90.00\u00b0 N, 180.00\u00b0 W   ")})
        EXPECT_TRUE(texts.contains(QString::fromStdString(expected))) << expected;
}

} // namespace
} // namespace hoplot
