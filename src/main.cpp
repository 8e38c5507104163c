#include "platform/icmp_handover.h"
#include "platform/icmp_socket.h"
#include "platform/program_exec.h"

// hoplot holds the capability to open raw ICMP sockets: it opens them, gives the capability up
// and hands them over to the program that runs its arguments.
int main(int argc, char** argv) {
    const hoplot::icmp_sockets& sockets = hoplot::process_icmp_sockets();
    if (!hoplot::pass_icmp_socket_on(sockets.v4) || !hoplot::pass_icmp_socket_on(sockets.v6))
        return 1;
    return hoplot::exec_beside(hoplot::program_for(argc > 1 ? argv[1] : nullptr), argv);
}
