// The floor of --render: a Qt Gui program that saves a black PNG of the given size, offscreen.
// blank_picture OUT.png WIDTH HEIGHT
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QImage image(std::atoi(argv[2]), std::atoi(argv[3]), QImage::Format_RGB32);
    image.fill(Qt::black);
    return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
