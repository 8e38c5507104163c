#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/convert_asn.h"
#include "cli/viewer_launch.h"
#include "platform/icmp_handover.h"
#include "platform/icmp_socket.h"

int main(int argc, char** argv) {
    // Before any thread exists: the sockets are opened with the capabilities the binary was given,
    // which are then dropped for the whole process.
    const hoplot::icmp_sockets& sockets = hoplot::process_icmp_sockets();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments.front() == hoplot::convert_asn_flag)
        return hoplot::run_convert_asn({arguments.begin() + 1, arguments.end()});
    if (const auto status = hoplot::run_command_line(arguments)) return *status;
    // hoplot-view holds no capability: it traces over the sockets opened here.
    if (!hoplot::pass_icmp_socket_on(sockets.v4) || !hoplot::pass_icmp_socket_on(sockets.v6))
        return 1;
    return hoplot::exec_viewer(argv);
}
