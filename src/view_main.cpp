#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_setup.h"
#include "cli/command_line.h"
#include "geolocation/resolve_location.h"
#include "picture/render.h"
#include "shell/data_dir.h"
#include "shell/settings.h"
#include "shell/ui/main_window.h"

namespace {

int run_window(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Hoplot");
    QApplication::setOrganizationName("Varn Software");

    hoplot::screen_size screen;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screen.width = primary->availableSize().width();
        screen.height = primary->availableSize().height();
    }
    hoplot::app_settings() = hoplot::read_settings(screen, hoplot::find_data_dir());
    hoplot::no_progress progress;
    hoplot::load_location_sources(progress);

    hoplot::main_window window;
    window.show();
    const int status = QApplication::exec();
    hoplot::write_settings(hoplot::app_settings());
    return status;
}

} // namespace

// The window and the modes that draw; hoplot hands over to this program for them.
int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) return run_window(argc, argv);
    if (arguments.front() == "--render") {
        hoplot::load_cli_settings();
        return hoplot::run_render({arguments.begin() + 1, arguments.end()});
    }
    std::fputs(hoplot::usage_text().c_str(), stderr);
    return 2;
}
