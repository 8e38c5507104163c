#pragma once

#include <QString>

class QLabel;
class QSize;
class QWidget;

namespace hoplot {

// Registers the icons and pictures of resources/hoplot.qrc. They live in a static library, whose
// resource initialiser the linker drops unless someone calls it; calling again does nothing.
void init_resources();

// A label showing one of the SVG pictures at the given size, drawn for the screen's pixel ratio
// and named for assistive technology.
QLabel* picture_label(const QString& path, const QSize& size, const QString& name, QWidget* parent);

} // namespace hoplot
