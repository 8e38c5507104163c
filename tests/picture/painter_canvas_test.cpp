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

} // namespace
} // namespace hoplot
