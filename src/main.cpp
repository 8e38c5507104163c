#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "cli/command_line.h"
#include "geolocation/resolve_location.h"
#include "platform/icmp_socket.h"
#include "shell/data_dir.h"
#include "shell/settings.h"
#include "shell/ui/main_window.h"
#include "shell/ui/message_box.h"

int main(int argc, char** argv) {
    // Before any thread exists: the socket is opened with the capabilities the binary was given,
    // which are then dropped for the whole process.
    hoplot::process_icmp_socket();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto status = hoplot::run_command_line(arguments)) return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName("Hoplot");
    QApplication::setOrganizationName("Varn Software");
    hoplot::install_message_box();

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
