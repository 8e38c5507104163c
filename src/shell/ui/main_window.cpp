#include "shell/ui/main_window.h"

#include <QResizeEvent>

#include "shell/settings.h"

namespace hoplot {

main_window::main_window(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Hoplot"));
    const settings& values = app_settings();
    resize(values.main_window_width, values.main_window_height);
}

void main_window::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    settings& values = app_settings();
    values.main_window_width = event->size().width();
    values.main_window_height = event->size().height();
}

} // namespace hoplot
