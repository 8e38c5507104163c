#include "platform/thread_priority.h"

#include <algorithm>
#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace hoplot {
namespace {

constexpr int steps_down = 10;
constexpr int lowest = 19;

} // namespace

void lower_this_thread_priority() {
    const auto self = static_cast<id_t>(gettid());
    // -1 is a nice value too: only errno tells a failure.
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, self);
    if (errno != 0) return;
    // Raising one's own nice value needs no privilege.
    setpriority(PRIO_PROCESS, self, std::min(now + steps_down, lowest));
}

} // namespace hoplot
