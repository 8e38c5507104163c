#include "app/ui/window_startup.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <memory>

#include "app/ui/loading_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/termination_signals.h"
#include "base/data_dir.h"
#include "base/settings.h"
#include "base/show_message.h"
#include "base/ui/message_box.h"
#include "base/ui/resources.h"
#include "geolocation/resolve_location.h"
#include "map/startup_data.h"
#include "map/view_settings.h"

namespace hoplot {
namespace {

screen_size primary_screen_size() {
    screen_size screen;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screen.width = primary->availableSize().width();
        screen.height = primary->availableSize().height();
    }
    return screen;
}

} // namespace

int run_window(int argc, char** argv, const window_request& request) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hoplot"));
    QApplication::setOrganizationName(QStringLiteral("Varn Software"));
    init_resources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/hoplot.svg")));
    settings values = read_settings(primary_screen_size(), find_data_dir());

    auto loading = std::make_unique<loading_dialog>();
    loading->show();
    map_view view;
    view.globe_mode = values.globe_mode != 0;
    take_display_flags(view, values);
    {
        // The loaders' messages, until the main window has its own.
        message_box_host loading_messages(loading.get());
        const auto load_sources = [&values](loading_progress& progress) {
            load_location_sources(values, progress);
        };
        if (const auto wrong = load_startup_data(view, values.db_path, *loading, load_sources)) {
            // The program ends at once, with nothing saved.
            ShowMessage(format_message("Wrong data in file %s", *wrong));
            return 0;
        }
    }
    loading->set_stage("Initializing map data...");

    main_window window(std::move(values), std::move(view), loading.get());
    end_window_on_termination_signals(window);
    loading.reset();
    window.show();
    // Once the window is laid out and the map sized.
    QTimer::singleShot(0, &window, [&window, &request] { window.begin(request); });
    return QApplication::exec();
}

} // namespace hoplot
