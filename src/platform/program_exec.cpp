#include "platform/program_exec.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/icmp_handover.h"

namespace hoplot {

const char* program_for(const char* first_argument) {
    if (first_argument == nullptr || first_argument[0] != '-' ||
        std::strcmp(first_argument, render_flag) == 0)
        return viewer_program;
    return command_line_program;
}

int hand_over(const char* program, const icmp_sockets& sockets, char** argv) {
    if (!pass_icmp_socket_on(sockets.v4) || !pass_icmp_socket_on(sockets.v6)) return 1;
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) path = argv[0];
    path.replace_filename(program);
    execv(path.c_str(), argv);
    std::fprintf(stderr, "hoplot: can't start %s: %s\n", path.c_str(), std::strerror(errno));
    return 1;
}

} // namespace hoplot
