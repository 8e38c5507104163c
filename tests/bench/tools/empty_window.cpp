// The toolkit's floor for the window's start: a Qt main window with a menu bar and a status bar
// and nothing else, as large as the screen's available area (the size Hoplot opens with when it
// has kept none).
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty"));
    for (const char* title : {"&File", "&Edit", "&View", "&Trace", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title));
    window.statusBar()->addWidget(new QLabel(QStringLiteral("Ready")), 1);
    window.resize(QGuiApplication::primaryScreen()->availableSize());
    window.show();
    return QApplication::exec();
}
