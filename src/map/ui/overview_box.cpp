#include "map/ui/overview_box.h"

#include <QGroupBox>
#include <QResizeEvent>
#include <utility>

#include "map/overview_geometry.h"
#include "map/ui/overview_picture.h"

namespace hoplot {

overview_box::overview_box(std::shared_ptr<const map_data> maps, QWidget* parent)
    : QWidget(parent), box_(new QGroupBox(tr("View"), this)),
      picture_(new overview_picture(std::move(maps), this)) {}

void overview_box::refresh(const map_view& view) {
    last_view_ = view;
    const QSize size = picture_->picture_size();
    picture_->set_rects(overview_visible_rects(view, size.width(), size.height()));
}

void overview_box::set_mouse(const map_view& view, QPoint client_position) {
    const QSize size = picture_->picture_size();
    const auto at = overview_cross_hair(view, {client_position.x(), client_position.y()},
                                        size.width(), size.height());
    if (at) picture_->set_cross_hair(*at);
}

// A new size puts the cross-hair at the picture's corner until the mouse moves over the map.
void overview_box::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    box_->setGeometry(0, 0, w, h);
    picture_->setGeometry(4, 21, w - 8, h - 25);
    picture_->set_cross_hair({0, 0});
    refresh(last_view_);
}

} // namespace hoplot
