#pragma once

#include <QFrame>
#include <QImage>
#include <future>
#include <memory>

#include "map/overview_geometry.h"

namespace hoplot {

// The overview's framed picture: the world, the visible rectangles and the cross-hair, in
// picture pixels. The world is drawn on a thread of its own once the picture has its size, while
// the window shows itself.
class overview_picture : public QFrame {
  public:
    overview_picture(std::shared_ptr<const map_data> maps, QWidget* parent);

    QSize picture_size() const { return contentsRect().size(); }
    void set_rects(const overview_rects& rects);
    void set_cross_hair(pixel_point at);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    const QImage& world_image();

    std::shared_ptr<const map_data> maps_;
    QImage world_;
    std::future<QImage> drawing_world_;
    overview_rects rects_;
    pixel_point cross_hair_;
};

} // namespace hoplot
