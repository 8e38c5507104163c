#include "map/ui/overview_picture.h"

#include <QPaintEvent>
#include <QPainter>
#include <utility>

#include "map/overview_world.h"
#include "picture/painter_canvas.h"
#include "platform/thread_priority.h"

namespace hoplot {
namespace {

// Outlines the rectangle as the map's pens do: the right and bottom edges excluded.
void outline(QPainter& painter, const pixel_rect& r) {
    if (r.empty()) return;
    painter.drawRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
}

QImage draw_world(const map_data& maps, QSize size) {
    QImage world(size, QImage::Format_RGB32);
    QPainter painter(&world);
    painter_canvas surface(painter);
    draw_overview_world(surface, maps, size.width(), size.height());
    return world;
}

} // namespace

overview_picture::overview_picture(std::shared_ptr<const map_data> maps, QWidget* parent)
    : QFrame(parent), maps_(std::move(maps)) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAccessibleName(tr("Overview"));
}

void overview_picture::set_rects(const overview_rects& rects) {
    if (rects == rects_) return;
    rects_ = rects;
    update();
}

void overview_picture::set_cross_hair(pixel_point at) {
    if (at == cross_hair_) return;
    cross_hair_ = at;
    update();
}

// The world is drawn once for the picture's size (the panel keeps that size), and first while
// the window shows itself.
void overview_picture::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QSize size = picture_size();
    if (size.isEmpty() || size == world_.size()) return;
    drawing_world_ = std::async(std::launch::async, [maps = maps_, size] {
        lower_this_thread_priority();
        return draw_world(*maps, size);
    });
}

const QImage& overview_picture::world_image() {
    if (drawing_world_.valid()) world_ = drawing_world_.get();
    const QSize size = picture_size();
    if (world_.size() != size) world_ = draw_world(*maps_, size);
    return world_;
}

void overview_picture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QRect area = contentsRect();
    if (area.isEmpty()) return;
    QPainter painter(this);
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.drawImage(0, 0, world_image());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 0), 1));
    outline(painter, rects_.a);
    outline(painter, rects_.b);
    painter.setPen(QPen(QColor(0, 255, 0), 1));
    painter.drawLine(cross_hair_.x, 0, cross_hair_.x, area.height());
    painter.drawLine(0, cross_hair_.y, area.width(), cross_hair_.y);
}

} // namespace hoplot
