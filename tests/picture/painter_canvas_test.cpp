#include "picture/painter_canvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <vector>

#include "map/drawing_objects.h"

namespace hoplot {
namespace {

// Dashes run 18 pixels on and 6 off along the whole polyline, across its corners.
TEST(painter_canvas, dashes_run_on_across_the_points_of_a_line) {
    QImage image(100, 5, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter_canvas surface(painter);
        surface.set_pen(boundary_pen);
        const pixel_point points[] = {{0, 2}, {10, 2}, {40, 2}, {99, 2}, {99, 2}};
        surface.polyline(points);
        // A line to a far-off point does not hang the drawing.
        surface.line({0, 4}, {2000000000, 4});
    }
    const auto lit = [&](int x) { return image.pixelColor(x, 2) == QColor(0, 255, 255); };
    for (const int x : {1, 9, 17, 25, 41, 49, 65, 73, 89, 97})
        EXPECT_TRUE(lit(x)) << x;
    for (const int x : {19, 22, 43, 46, 67, 70, 91, 94})
        EXPECT_FALSE(lit(x)) << x;
}

// A kept picture is drawn once per key and put at its place on every canvas that asks for it,
// at the canvas's pixel ratio; the clip cuts what follows it.
TEST(painter_canvas, keeps_a_reusable_picture_per_key_and_clips_what_follows) {
    int drawn = 0;
    const auto square = [&](canvas& c) {
        ++drawn;
        c.fill_rect(10, 10, 20, 20, 0xFFFFFF);
    };
    std::vector<QImage> images;
    for (const qreal ratio : {1.0, 1.0, 2.0}) {
        QImage image(QSize(40, 40) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            painter_canvas surface(painter);
            surface.reusable("square", 10, 10, 20, 20, square);
            surface.set_clip(0, 0, 30, 40);
            surface.fill_rect(25, 0, 40, 5, 0x0000FF);
        }
        images.push_back(image);
    }
    EXPECT_EQ(drawn, 2); // once at each pixel ratio
    for (const QImage& image : images) {
        const qreal r = image.devicePixelRatio();
        EXPECT_EQ(image.pixelColor(QPoint(15, 15) * r), QColor(Qt::white)) << r;
        EXPECT_EQ(image.pixelColor(QPoint(5, 15) * r), QColor(Qt::black)) << r;
        EXPECT_EQ(image.pixelColor(QPoint(27, 2) * r), QColor(Qt::red)) << r;
        EXPECT_EQ(image.pixelColor(QPoint(33, 2) * r), QColor(Qt::black)) << r;
    }
}

} // namespace
} // namespace hoplot
