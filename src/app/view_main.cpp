#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ui/window_startup.h"
#include "app/window_request.h"
#include "base/command_arguments.h"
#include "cli/cli_setup.h"
#include "cli/command_line.h"
#include "cli/display_check.h"
#include "picture/render.h"
#include "platform/icmp_socket.h"
#include "platform/program_exec.h"

// The window and the modes that draw; hoplot hands over to this program for them.
int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments.front() == hoplot::render_flag) {
        return hoplot::run_render({arguments.begin() + 1, arguments.end()},
                                  hoplot::load_cli_settings());
    }
    const hoplot::window_request_parse parsed = hoplot::parse_window_request(arguments);
    if (!parsed.request) return hoplot::bad_usage(parsed.error);
    if (const auto notice =
            hoplot::missing_display_notice([](const char* name) { return std::getenv(name); })) {
        std::fputs(notice->c_str(), stderr);
        return 1;
    }
    // Before any thread: takes the socket hoplot handed over, or opens one without capabilities.
    hoplot::process_icmp_socket();
    return hoplot::run_window(argc, argv, *parsed.request);
}
