// open_clock FILE.trc [RUNS]: File > Open of a trace file in the real main window, with the
// shipped data and sources loaded as at start. Each run chooses the file in the file dialog
// (answered at once) and ends when the window has shown it and no event is left to handle;
// prints the median milliseconds from the dialog's answer. Runs after the first open the file
// over its own traces, as a user opening it again does.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/ui/main_window.h"
#include "base/data_dir.h"
#include "base/settings.h"
#include "geolocation/resolve_location.h"
#include "map/startup_data.h"
#include "map/view_settings.h"

namespace {

using clock_type = std::chrono::steady_clock;

QAction* open_action(const QWidget& window) {
    for (QAction* action : window.findChildren<QAction*>())
        if (action->text().section('\t', 0, 0) == QStringLiteral("&Open")) return action;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_clock FILE.trc [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    QApplication app(argc, argv);
    hoplot::settings values = hoplot::read_settings(std::nullopt, hoplot::find_data_dir());
    hoplot::no_progress progress;
    hoplot::map_view view;
    hoplot::take_display_flags(view, values);
    if (hoplot::load_all_levels(view, values.db_path, progress)) return 1;
    hoplot::load_location_sources(values, progress);
    hoplot::main_window window(std::move(values), std::move(view));
    window.show();
    QApplication::processEvents();
    QAction* open = open_action(window);
    if (!open) return 1;

    const QString path = QString::fromLocal8Bit(argv[1]);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        clock_type::time_point answered;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) std::abort();
            dialog->selectFile(path);
            answered = clock_type::now();
            QMetaObject::invokeMethod(dialog, "accept");
        });
        open->trigger();
        while (window.view().opening)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
        times.push_back(std::chrono::duration<double, std::milli>(clock_type::now() - answered).count());
        if (window.store().trace_count() == 0) {
            std::fprintf(stderr, "open_clock: %s did not open\n", argv[1]);
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("%.1f\n", times[times.size() / 2]);
    return 0;
}
