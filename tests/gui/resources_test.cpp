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

// The icon comes out at `size` and at twice it for HiDPI screens, not blank.
void expect_drawn_at_size_and_doubled(const QIcon& icon, QSize size) {
    for (const qreal ratio : {1.0, 2.0}) {
        const QImage image = icon.pixmap(size, ratio).toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(std::max(image.width(), image.height()), qRound(size.width() * ratio));
        EXPECT_GT(drawn_share(image), 0.1);
    }
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
        expect_drawn_at_size_and_doubled(QIcon(QString::fromLatin1(path)), QSize(36, 36));
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
        expect_drawn_at_size_and_doubled(button->icon(), button->iconSize());
    }
}

} // namespace
} // namespace hoplot
