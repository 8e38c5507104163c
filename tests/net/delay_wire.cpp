// A point-to-point link with a fixed one-way delay between two network namespaces, for the
// network tests (this kernel has no netem): a TUN device in each namespace, joined by this
// process, which holds every packet for the delay before passing it on. Loss, where a test wants
// it, comes from nftables in the namespaces.
//
// Usage: hoplot_delay_wire NS_A DEVICE_A NS_B DEVICE_B DELAY_MS
// Prints "ready" once both devices exist; runs until killed.
#include <fcntl.h>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace {

using wire_clock = std::chrono::steady_clock;

struct held_packet {
    wire_clock::time_point due;
    std::vector<unsigned char> bytes;
};

// One direction of the link: packets read from `in` wait their delay, then go out of `out`.
struct direction {
    int in = -1;
    int out = -1;
    std::deque<held_packet> held;
};

// Opens a TUN device in a namespace and comes back to this process's own.
int open_tun(const std::string& ns, const std::string& device, int home) {
    const int target = open(("/var/run/netns/" + ns).c_str(), O_RDONLY | O_CLOEXEC);
    if (target < 0 || setns(target, CLONE_NEWNET) != 0) {
        std::perror(ns.c_str());
        return -1;
    }
    close(target);
    const int fd = open("/dev/net/tun", O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ifreq request{};
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    std::strncpy(request.ifr_name, device.c_str(), IFNAMSIZ - 1);
    if (fd < 0 || ioctl(fd, TUNSETIFF, &request) != 0) {
        std::perror(device.c_str());
        return -1;
    }
    if (setns(home, CLONE_NEWNET) != 0) {
        std::perror("setns");
        return -1;
    }
    return fd;
}

// Passes on every packet whose delay is over; the time the next one is due, if any.
std::optional<wire_clock::time_point> deliver(direction& way, wire_clock::time_point now) {
    while (!way.held.empty() && way.held.front().due <= now) {
        const auto& packet = way.held.front().bytes;
        // A device that is down loses the packet, as a wire would.
        [[maybe_unused]] const auto written = write(way.out, packet.data(), packet.size());
        way.held.pop_front();
    }
    if (way.held.empty()) return std::nullopt;
    return way.held.front().due;
}

void take_in(direction& way, std::chrono::milliseconds delay) {
    unsigned char buffer[65536];
    for (;;) {
        const ssize_t size = read(way.in, buffer, sizeof buffer);
        if (size <= 0) return;
        way.held.push_back({wire_clock::now() + delay, {buffer, buffer + size}});
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s NS_A DEVICE_A NS_B DEVICE_B DELAY_MS\n", argv[0]);
        return 2;
    }
    const std::chrono::milliseconds delay(std::stoi(argv[5]));
    const int home = open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
    const int a = open_tun(argv[1], argv[2], home);
    const int b = open_tun(argv[3], argv[4], home);
    if (home < 0 || a < 0 || b < 0) return 1;
    direction ways[2] = {{a, b, {}}, {b, a, {}}};
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        const auto now = wire_clock::now();
        std::optional<wire_clock::time_point> next;
        for (direction& way : ways)
            if (const auto due = deliver(way, now); due && (!next || *due < *next)) next = due;
        // Waits to the nanosecond: a millisecond's rounding on every hop would blur round trips.
        timespec wait{};
        if (next) {
            const auto left =
                std::max(std::chrono::duration_cast<std::chrono::nanoseconds>(*next - now),
                         std::chrono::nanoseconds::zero());
            wait.tv_sec = static_cast<time_t>(left.count() / 1000000000);
            wait.tv_nsec = static_cast<long>(left.count() % 1000000000);
        }
        pollfd watched[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
        if (ppoll(watched, 2, next ? &wait : nullptr, nullptr) < 0) continue;
        for (int i = 0; i < 2; ++i)
            if (watched[i].revents & POLLIN) take_in(ways[i], delay);
    }
}
