#include "map/ui/overview_box.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

#include "map/overview_geometry.h"
#include "map/test_views.h"
#include "map/ui/overview_picture.h"

namespace hoplot {
namespace {

const QColor yellow(255, 255, 0);
const QColor green(0, 255, 0);

// The picture as painted, in picture pixels.
QImage shot(overview_picture& picture) {
    return picture.grab(picture.contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(overview_box, outlines_the_region_and_crosses_the_mouse_position) {
    overview_box window(std::make_shared<const map_data>());
    window.resize(185, 133);
    window.show();
    auto& picture = *window.findChild<overview_picture*>();
    const int w = picture.picture_size().width(), h = picture.picture_size().height();
    map_view view = test::sized_view();
    // One rectangle, then two across the seam.
    for (const auto& [left, right] : {std::pair{200, 408}, std::pair{700, 100}}) {
        test::set_region(view, left, 100, right, 243);
        window.refresh(view);
        const overview_rects rects = overview_visible_rects(view, w, h);
        const QImage image = shot(picture);
        const int middle = (rects.a.top + rects.a.bottom) / 2;
        EXPECT_EQ(image.pixelColor(rects.a.left, middle), yellow) << left;
        EXPECT_NE(image.pixelColor(rects.a.left - 1, middle), yellow) << left;
        EXPECT_EQ(image.pixelColor(rects.b.right - 1, middle) == yellow, view.wrapped) << left;
    }
    // The cross-hair starts at the corner, follows the mouse and stays put off the globe.
    EXPECT_EQ(shot(picture).pixelColor(0, 50), green);
    view = test::sized_view();
    window.set_mouse(view, {415, 286});
    view.globe_mode = true;
    window.set_mouse(view, {2, 2});
    const pixel_point at = *overview_cross_hair(test::sized_view(), {415, 286}, w, h);
    const QImage image = shot(picture);
    EXPECT_EQ(image.pixelColor(at.x, 5), green);
    EXPECT_EQ(image.pixelColor(5, at.y), green);
    EXPECT_NE(image.pixelColor(0, 50), green);
}

} // namespace
} // namespace hoplot
