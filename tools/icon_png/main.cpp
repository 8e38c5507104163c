// hoplot_icon_png SVG PNG SIZE: draws an SVG icon into a square PNG of SIZE pixels, transparent
// where the drawing leaves it. The build draws the icons of the window's first picture this way,
// so that start-up neither loads the SVG icon engine nor parses SVG.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    int size = 0;
    if (argc != 4 || (size = std::atoi(argv[3])) <= 0) {
        std::fputs("usage: hoplot_icon_png SVG PNG SIZE\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "hoplot_icon_png: cannot read %s as SVG\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "hoplot_icon_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
