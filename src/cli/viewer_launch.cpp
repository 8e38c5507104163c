#include "cli/viewer_launch.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace hoplot {

int exec_viewer(char** argv) {
    std::error_code error;
    std::filesystem::path viewer = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) viewer = argv[0];
    viewer.replace_filename("hoplot-view");
    execv(viewer.c_str(), argv);
    std::fprintf(stderr, "hoplot: can't start %s: %s\n", viewer.c_str(), std::strerror(errno));
    return 1;
}

} // namespace hoplot
