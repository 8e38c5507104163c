#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/viewer_launch.h"
#include "platform/icmp_socket.h"

int main(int argc, char** argv) {
    // Before any thread exists: the sockets are opened with the capabilities the binary was given,
    // which are then dropped for the whole process.
    hoplot::process_icmp_sockets();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto status = hoplot::run_command_line(arguments)) return *status;
    return hoplot::exec_viewer(argv);
}
