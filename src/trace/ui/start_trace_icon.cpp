#include "trace/ui/start_trace_icon.h"

#include <QPainter>
#include <QPixmap>

namespace hoplot {

QIcon start_trace_icon() {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 64, 128), 1.5));
    painter.setBrush(QColor(96, 160, 224));
    painter.drawEllipse(QRectF(3, 3, 26, 26));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(10, 3, 12, 26));
    painter.drawLine(QPointF(3, 16), QPointF(29, 16));
    const QPointF hops[] = {{7, 23}, {15, 12}, {25, 8}};
    painter.setPen(QPen(QColor(200, 0, 0), 2));
    painter.drawPolyline(hops, 3);
    painter.setBrush(QColor(255, 220, 0));
    for (const QPointF& hop : hops)
        painter.drawEllipse(hop, 2.5, 2.5);
    return QIcon(picture);
}

} // namespace hoplot
