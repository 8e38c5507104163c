#include "map/ui/information_box.h"

#include <QLabel>
#include <gtest/gtest.h>

#include "gui/find_widget.h"
#include "map/read_outs.h"
#include "map/test_views.h"

namespace hoplot {
namespace {

// Every read-out is a label that lies wholly inside the panel's 246 pixels, mouse line included,
// wide enough for its text also in a panel narrowed by its scroll bar; the values are heard
// labelled by their captions.
TEST(information_box, read_outs_are_labels_inside_the_window) {
    information_box window;
    window.resize(175, 246);
    window.show();
    map_view view = test::sized_view();
    view.zoom = 16;
    window.trace_count_changed(3);
    window.refresh(view);
    window.set_mouse(view, {0, 0});

    QStringList texts;
    for (const int width : {175, 165}) {
        window.resize(width, 246);
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            texts << label->text();
            const std::string text = label->text().toStdString();
            EXPECT_TRUE(window.rect().contains(label->geometry())) << text << " " << width;
            EXPECT_GE(label->width(), label->sizeHint().width()) << text << " " << width;
        }
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QString caption = label->text() == " 3"      ? "# Traces : "
                                : label->text() == " 16:1" ? "Current Zoom : "
                                                           : QString();
        if (!caption.isEmpty()) {
            EXPECT_EQ(heard_captions(label), QStringList{caption});
        }
    }
    for (const std::string& expected :
         {std::string("# Traces : "), std::string(" 3"), std::string("Current Zoom : "),
          std::string(" 16:1"), view_centre_text(view),
          std::string("90.00\u00b0 N, 180.00\u00b0 W   ")})
        EXPECT_TRUE(texts.contains(QString::fromStdString(expected))) << expected;
}

} // namespace
} // namespace hoplot
