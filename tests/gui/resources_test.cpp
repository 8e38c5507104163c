#include "base/ui/resources.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
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
                                 ":/icons/globe.svg",
                                 ":/icons/flat_map.svg",
                                 ":/icons/undo.svg",
                                 ":/icons/start_trace.svg",
                                 ":/icons/stop.svg",
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

} // namespace
} // namespace hoplot
