#include "base/ui/resources.h"

#include "app/ui/toolbar.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>

namespace hoplot {
namespace {

double drawn_share(const QImage& image) {
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0;
    return double(drawn) / (image.width() * image.height());
}

// Every icon and picture must reach the screen through the SVG icon engine, at its size and
// at twice it for HiDPI screens, and must not come out blank.
TEST(resources, every_svg_draws_at_its_size_and_doubled) {
    init_resources();
    const char* const paths[] = {":/hoplot.svg",
                                 ":/icons/start_trace.svg",
                                 ":/icons/source_none.svg",
                                 ":/icons/source_loc.svg",
                                 ":/icons/source_cache.svg",
                                 ":/icons/source_fix.svg",
                                 ":/icons/source_geoip.svg",
                                 ":/icons/source_rules.svg",
                                 ":/pictures/logo.svg",
                                 ":/pictures/about_picture.svg",
                                 ":/pictures/side_picture.svg"};
    for (const char* path : paths) {
        SCOPED_TRACE(path);
        const QIcon icon(QString::fromLatin1(path));
        for (const qreal ratio : {1.0, 2.0}) {
            const QImage image = icon.pixmap(QSize(36, 36), ratio).toImage();
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(std::max(image.width(), image.height()), qRound(36 * ratio));
            EXPECT_GT(drawn_share(image), 0.1);
        }
    }
}

// The toolbar's icons are PNGs drawn at build time: each button finds its own at the icon size
// and at twice it, so that a HiDPI screen does not get a blurred one.
TEST(resources, toolbar_icons_come_at_their_size_and_doubled) {
    toolbar bar;
    const QList<QToolButton*> buttons = bar.findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 5);
    for (const QToolButton* button : buttons) {
        SCOPED_TRACE(button->accessibleName().toStdString());
        for (const qreal ratio : {1.0, 2.0}) {
            const QImage image = button->icon().pixmap(button->iconSize(), ratio).toImage();
            EXPECT_EQ(image.size(), button->iconSize() * ratio);
            EXPECT_GT(drawn_share(image), 0.1);
        }
    }
}

} // namespace
} // namespace hoplot
