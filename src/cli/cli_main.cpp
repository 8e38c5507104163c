#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/convert_asn.h"
#include "platform/icmp_socket.h"
#include "platform/program_exec.h"

// The command-line modes; hoplot hands over to this program for them, with its sockets.
int main(int argc, char** argv) {
    // Before any thread: takes the sockets hoplot handed over, or opens them without capabilities.
    const hoplot::icmp_sockets& sockets = hoplot::process_icmp_sockets();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments.front() == hoplot::convert_asn_flag)
        return hoplot::run_convert_asn({arguments.begin() + 1, arguments.end()});
    if (const auto status = hoplot::run_command_line(arguments)) return *status;
    // Started by hand with the window's arguments: the viewer runs them, over the same sockets.
    return hoplot::hand_over(hoplot::viewer_program, sockets, argv);
}
