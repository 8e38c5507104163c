#include "app/ui/window_startup.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QScreen>
#include <functional>
#include <memory>
#include <optional>

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

// Runs `then` once the window has painted for the first time and that picture has gone to the
// screen: the call is queued from inside the first paint.
class after_first_paint : public QObject {
  public:
    after_first_paint(QWidget& window, std::function<void()> then)
        : QObject(&window), then_(std::move(then)) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    then_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    std::function<void()> then_;
};

// The Low level and the first cities, which the first picture shows. None when a map file
// holds wrong data, which is told.
std::optional<map_view> first_view(const settings& values, loading_progress& loading) {
    map_view view;
    view.globe_mode = values.globe_mode != 0;
    take_display_flags(view, values);
    if (const auto wrong = load_first_level(view, values.db_path, loading)) {
        // A box of its own: there is no window yet.
        message_box_host messages(nullptr);
        ShowMessage(format_message("Wrong data in file %s", *wrong));
        return std::nullopt;
    }
    return view;
}

} // namespace

int run_window(int argc, char** argv, const window_request& request) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hoplot"));
    QApplication::setOrganizationName(QStringLiteral("Varn Software"));
    init_resources();
    settings values = read_settings(primary_screen_size(), find_data_dir());

    // The loading dialog shows only when what the first picture waits for takes more than a
    // moment.
    auto loading = std::make_unique<late_loading_dialog>();
    std::optional<map_view> view = first_view(values, *loading);
    // The program ends at once, with nothing saved.
    if (!view) return 0;
    loading->set_stage("Initializing map data...");
    main_window window(std::move(values), std::move(*view), loading.get());
    loading.reset();
    end_window_on_termination_signals(window);
    window.show();
    // What the first picture does not need: the icon (drawn from its SVG at every size the
    // window manager may show), the other levels on a thread, the sources of positions here,
    // before the request can need them.
    new after_first_paint(window, [&window, &request] {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/hoplot.svg")));
        window.load_detail_levels();
        no_progress quiet;
        load_location_sources(window.current_settings(), quiet);
        window.begin(request);
    });
    return QApplication::exec();
}

} // namespace hoplot
