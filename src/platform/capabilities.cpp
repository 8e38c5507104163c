#include "platform/capabilities.h"

#include <linux/capability.h>
#include <linux/securebits.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace hoplot {
namespace {

struct capability_sets {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
};

} // namespace

bool drop_capabilities() {
    // Run as root, exec would hand every capability back (to hoplot-view, say); locked secure bits
    // stop that. Only root may set them, and only root needs them.
    prctl(PR_SET_SECUREBITS, SECBIT_NOROOT | SECBIT_NOROOT_LOCKED, 0, 0, 0);
    prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0);
    capability_sets none;
    return syscall(SYS_capset, &none.header, none.data) == 0 && holds_no_capabilities();
}

bool holds_no_capabilities() {
    capability_sets current;
    if (syscall(SYS_capget, &current.header, current.data) != 0) return false;
    for (const auto& word : current.data)
        if (word.effective != 0 || word.permitted != 0) return false;
    return true;
}

} // namespace hoplot
