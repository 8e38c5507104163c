#include "base/ui/resources.h"

#include <QIcon>
#include <QLabel>

// Q_INIT_RESOURCE declares a function and so must stand outside any namespace.
static void init_hoplot_resources() {
    Q_INIT_RESOURCE(hoplot);
}

namespace hoplot {

void init_resources() {
    static const bool done = (init_hoplot_resources(), true);
    (void)done;
}

QLabel* picture_label(const QString& path, const QSize& size, const QString& name,
                      QWidget* parent) {
    init_resources();
    auto* label = new QLabel(parent);
    label->setPixmap(QIcon(path).pixmap(size, label->devicePixelRatioF()));
    label->setFixedSize(size);
    label->setAccessibleName(name);
    return label;
}

} // namespace hoplot
