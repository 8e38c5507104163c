#include "app/ui/termination_signals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "app/ui/main_window.h"

namespace hoplot {
namespace {

constexpr int ending_signals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler tells the event loop through this pipe: nothing else is safe in a handler.
int signal_pipe[2] = {-1, -1};

extern "C" void on_ending_signal(int) {
    const int saved_errno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signal_pipe[1], &byte, 1);
    for (const int number : ending_signals)
        std::signal(number, SIG_DFL);
    errno = saved_errno;
}

void set_ending_signals(void (*handler)(int)) {
    for (const int number : ending_signals)
        std::signal(number, handler);
}

} // namespace

void end_window_on_termination_signals(main_window& window) {
    if (signal_pipe[0] < 0 && ::pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char bytes[16];
        while (::read(signal_pipe[0], bytes, sizeof bytes) > 0) {
        }
        window.end_without_asking();
    });
    // Once the window is gone, the signals end the process as they did before.
    QObject::connect(notifier, &QObject::destroyed, [] { set_ending_signals(SIG_DFL); });
    set_ending_signals(on_ending_signal);
}

} // namespace hoplot
