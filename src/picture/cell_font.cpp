#include "picture/cell_font.h"

#include <QFontMetrics>
#include <algorithm>

namespace hoplot {

QFont cell_height_font(int height, const std::string& face) {
    QFont font(QString::fromStdString(face));
    const int size = std::max(height, 1);
    font.setPixelSize(size);
    const int cell = QFontMetrics(font).height();
    if (cell > size) font.setPixelSize(std::max(1, (size * size + cell / 2) / cell));
    return font;
}

} // namespace hoplot
