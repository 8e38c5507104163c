#include "picture/painter_canvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

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

// A kept picture is drawn once per key and pixel ratio and put at its place on every canvas that
// asks for it; the clip cuts what follows it.
TEST(painter_canvas, keeps_a_reusable_picture_per_key_and_clips_what_follows) {
    int drawn = 0;
    const auto disc = [&](canvas& c) {
        ++drawn;
        c.set_pen({0, pen_style::none});
        c.set_brush({0xFFFFFF, brush_style::solid});
        c.ellipse(30, 30, 40, 40);
    };
    for (const qreal ratio : {1.0, 1.0, 2.0}) {
        QImage image(QSize(50, 50) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            painter_canvas surface(painter);
            surface.reusable("disc", 30, 30, 41, 41, disc);
            surface.set_clip(0, 0, 30, 50);
            surface.fill_rect(25, 0, 50, 5, 0x0000FF);
        }
        for (const auto& [at, colour] : {std::pair{QPoint(35, 35), QColor(Qt::white)},
                                         {QPoint(25, 35), QColor(Qt::black)},
                                         {QPoint(27, 2), QColor(Qt::red)},
                                         {QPoint(33, 2), QColor(Qt::black)}})
            EXPECT_EQ(image.pixelColor(at * ratio), colour)
                << at.x() << "," << at.y() << " " << ratio;
    }
    EXPECT_EQ(drawn, 2); // once at each pixel ratio
}

} // namespace
} // namespace hoplot
