#include "platform/icmp_socket.h"
#include "platform/program_exec.h"

// hoplot holds the capability to open raw ICMP sockets: it opens them, gives the capability up
// and hands them over to the program that runs its arguments.
int main(int argc, char** argv) {
    return hoplot::hand_over(hoplot::program_for(argc > 1 ? argv[1] : nullptr),
                             hoplot::process_icmp_sockets(), argv);
}
