#include "picture/map_picture.h"

#include <QImage>
#include <QPainter>

#include "map/paint_map.h"
#include "picture/painter_canvas.h"

namespace hoplot {

void draw_map_picture(QImage& image, map_view& view) {
    QPainter painter(&image);
    painter_canvas surface(painter);
    paint_map(surface, view);
}

} // namespace hoplot
