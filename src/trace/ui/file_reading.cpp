#include "trace/ui/file_reading.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <thread>

#include "trace/trace_file.h"

namespace hoplot {
namespace {

// Reads shorter than this show no bar: it would only flicker.
constexpr qint64 moment_ms = 150;
constexpr int bar_steps = 1000;

} // namespace

std::optional<std::vector<trace_entry>> read_trace_file_answering(const std::string& path,
                                                                  QProgressBar* bar) {
    std::optional<std::vector<trace_entry>> traces;
    std::atomic<int> steps_read{0};
    std::atomic<bool> done{false};
    QEventLoop waiting;
    std::jthread worker([&] {
        traces = read_trace_file(path, [&](std::size_t read, std::size_t size) {
            const auto step = read * bar_steps / std::max<std::size_t>(size, 1);
            steps_read.store(static_cast<int>(step), std::memory_order_relaxed);
        });
        done = true;
        // By name: the call is then made and freed inside Qt, where the sanitizer can follow it.
        QMetaObject::invokeMethod(&waiting, "quit", Qt::QueuedConnection);
    });

    QElapsedTimer elapsed;
    elapsed.start();
    QTimer tick;
    if (bar) {
        bar->setRange(0, bar_steps);
        QObject::connect(&tick, &QTimer::timeout, bar, [&] {
            if (elapsed.elapsed() < moment_ms) return;
            bar->setValue(steps_read.load(std::memory_order_relaxed));
            bar->show();
        });
        tick.start(50);
    }
    // Quitting the program ends every event loop and lets no new one run (-1); the read is then
    // waited for without one.
    while (!done && waiting.exec() != -1) {
    }
    worker.join();
    if (bar) bar->hide();
    return traces;
}

} // namespace hoplot
