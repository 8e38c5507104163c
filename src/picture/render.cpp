#include "picture/render.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <memory>

#include "geolocation/resolve_location.h"
#include "map/map_level.h"
#include "map/map_view.h"
#include "map/route_region.h"
#include "map/startup_data.h"
#include "map/view_settings.h"
#include "picture/map_picture.h"
#include "shell/settings.h"
#include "shell/show_message.h"
#include "trace/trace_document.h"
#include "trace/trace_store.h"

namespace hoplot {
namespace {

constexpr int max_side = 10000;
constexpr const char* usage =
    "Usage: hoplot --render OUT.png [--globe | --flat] [--open FILE.trc [--fit]] [--size WxH]\n";

std::optional<int> parse_side(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < 1 || value > max_side) return std::nullopt;
    return value;
}

bool parse_size(const std::string& text, render_request& request) {
    const auto x = text.find('x');
    if (x == std::string::npos) return false;
    const auto width = parse_side(std::string_view(text).substr(0, x));
    const auto height = parse_side(std::string_view(text).substr(x + 1));
    if (!width || !height) return false;
    request.width = *width;
    request.height = *height;
    return true;
}

// The command line has no menus or scroll bars; notices go to standard error.
class quiet_view_listener final : public map_view_listener {
  public:
    void check_map_mode(bool) override {}
    void update_scroll_bars() override {}
    void show_message(const std::string& text) override { ShowMessage(text); }
    void show_missing_maps() override {}
};

// Text needs Qt's GUI part, which needs an application object; it runs without a display.
std::unique_ptr<QGuiApplication> offscreen_application() {
    if (QCoreApplication::instance()) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "hoplot";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The region around the current route, when it has a placed hop.
void fit_route(map_view& view, map_view_listener& listener) {
    if (!view.current_route) return;
    const auto region = route_region(view, *view.current_route);
    if (!region) return;
    set_view_rect(view, region->first, region->second);
    update_zoom(view, listener);
}

} // namespace

std::optional<render_request> parse_render_arguments(const std::vector<std::string>& args) {
    render_request request;
    bool have_output = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool has_value = i + 1 < args.size();
        if (arg == "--globe" || arg == "--flat") {
            request.globe = arg == "--globe";
        } else if (arg == "--fit") {
            request.fit = true;
        } else if (arg == "--open" && has_value) {
            request.trace_file = args[++i];
        } else if (arg == "--size" && has_value) {
            if (!parse_size(args[++i], request)) return std::nullopt;
        } else if (!arg.starts_with("--") && !have_output) {
            request.output = arg;
            have_output = true;
        } else {
            return std::nullopt;
        }
    }
    if (!have_output || request.output.empty() || (request.fit && !request.trace_file))
        return std::nullopt;
    return request;
}

int run_render(const std::vector<std::string>& args) {
    const std::optional<render_request> request = parse_render_arguments(args);
    if (!request) {
        std::fputs(usage, stderr);
        return 2;
    }
    const auto application = offscreen_application();

    map_view view;
    no_progress progress;
    // Hop positions are only needed to show a trace file.
    const auto load_caches =
        request->trace_file ? load_location_sources : std::function<void(loading_progress&)>();
    if (const auto wrong = load_startup_data(view, progress, load_caches)) {
        ShowMessage(format_message("Wrong data in file %s", *wrong));
        return 1;
    }
    // A picture without any map would pass for a success.
    if (view.maps->coastlines[0].empty()) {
        ShowMessage(
            format_message("Can't read the map data in %s", app_settings().db_path + "maps/"));
        return 1;
    }
    take_display_flags(view, app_settings());
    const bool globe = request->globe.value_or(app_settings().globe_mode != 0);
    quiet_view_listener listener;
    // Sized like a map window of the picture's size, so that it draws what the window would.
    resize_view(view, request->width, request->height, listener);
    if (globe) set_globe_mode(view, listener);

    trace_store store;
    if (request->trace_file) {
        trace_document document;
        if (!open_traces(store, document, *request->trace_file)) return 1;
        view.current_route = store.current_route();
        if (request->fit && !globe) fit_route(view, listener);
    }

    QImage image(request->width, request->height, QImage::Format_RGB32);
    draw_map_picture(image, view);
    if (!image.save(QString::fromStdString(request->output), "PNG")) {
        ShowMessage(format_message("Can't write to file %s", request->output));
        return 1;
    }
    return 0;
}

} // namespace hoplot
