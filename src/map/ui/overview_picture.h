#pragma once

#include <QFrame>
#include <QImage>
#include <memory>

#include "map/overview_geometry.h"

namespace hoplot {

// The overview's framed picture: the world, the visible rectangles and the cross-hair, in
// picture pixels.
class overview_picture : public QFrame {
  public:
    overview_picture(std::shared_ptr<const map_data> maps, QWidget* parent);

    QSize picture_size() const { return contentsRect().size(); }
    void set_rects(const overview_rects& rects);
    void set_cross_hair(pixel_point at);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QImage& world_image();

    std::shared_ptr<const map_data> maps_;
    QImage world_;
    overview_rects rects_;
    pixel_point cross_hair_;
};

} // namespace hoplot
