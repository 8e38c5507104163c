#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_setup.h"
#include "cli/command_line.h"
#include "cli/display_check.h"
#include "geolocation/resolve_location.h"
#include "picture/render.h"
#include "platform/icmp_socket.h"
#include "shell/data_dir.h"
#include "shell/settings.h"
#include "shell/ui/main_window.h"
#include "shell/ui/message_box.h"
#include "shell/window_request.h"

namespace {

int run_window(int argc, char** argv) {
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

} // namespace

// The window and the modes that draw; hoplot hands over to this program for them.
int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments.front() == "--render") {
        hoplot::load_cli_settings();
        return hoplot::run_render({arguments.begin() + 1, arguments.end()});
    }
    const hoplot::window_request_parse parsed = hoplot::parse_window_request(arguments);
    if (!parsed.request) {
        std::fprintf(stderr, "hoplot: %s\n%s", parsed.error.c_str(), hoplot::usage_text().c_str());
        return 2;
    }
    if (const auto notice =
            hoplot::missing_display_notice([](const char* name) { return std::getenv(name); })) {
        std::fputs(notice->c_str(), stderr);
        return 1;
    }
    // Before any thread: takes the socket hoplot handed over, or opens one without capabilities.
    hoplot::process_icmp_socket();
    return run_window(argc, argv);
}
