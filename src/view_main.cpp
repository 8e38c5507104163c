#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_setup.h"
#include "cli/command_line.h"
#include "picture/render.h"
#include "shell/ui/window_startup.h"

// The window and the modes that draw; hoplot hands over to this program for them.
int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) return hoplot::run_window(argc, argv);
    if (arguments.front() == "--render") {
        hoplot::load_cli_settings();
        return hoplot::run_render({arguments.begin() + 1, arguments.end()});
    }
    std::fputs(hoplot::usage_text().c_str(), stderr);
    return 2;
}
