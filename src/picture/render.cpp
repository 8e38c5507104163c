#include "picture/render.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <variant>

#include "base/command_arguments.h"
#include "base/settings.h"
#include "base/show_message.h"
#include "geolocation/plausibility.h"
#include "geolocation/resolve_location.h"
#include "map/map_level.h"
#include "map/map_view.h"
#include "map/route_region.h"
#include "map/startup_data.h"
#include "map/view_settings.h"
#include "picture/map_picture.h"
#include "trace/trace_document.h"
#include "trace/trace_store.h"

namespace hoplot {
namespace {

constexpr int max_side = 10000;

// "WxH", each side from 1 to max_side.
bool parse_size(const std::string& text, render_request& request) {
    const auto x = text.find('x');
    if (x == std::string::npos) return false;
    const auto width = number_argument(std::string_view(text).substr(0, x), 1, max_side);
    const auto height = number_argument(std::string_view(text).substr(x + 1), 1, max_side);
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

std::variant<render_request, std::string>
parse_render_arguments(const std::vector<std::string>& args) {
    const argument_parse parsed = parse_arguments(
        args, "--render",
        {{"--globe"}, {"--flat"}, {"--fit"}, {"--open", "FILE.trc"}, {"--size", "WxH"}});
    if (!parsed.arguments) return parsed.error;
    const command_arguments& given = *parsed.arguments;
    if (given.operands.size() != 1 || given.operands[0].empty())
        return "--render needs one OUT.png";
    render_request request;
    request.output = given.operands[0];
    // The last of --globe and --flat wins.
    for (const auto& option : given.options)
        if (option.first == "--globe" || option.first == "--flat")
            request.globe = option.first == "--globe";
    request.trace_file = given.value("--open");
    request.fit = given.has("--fit");
    if (request.fit && !request.trace_file) return "--fit needs --open FILE.trc";
    if (const auto size = given.value("--size"); size && !parse_size(*size, request))
        return "--size takes WxH, each side 1 to " + std::to_string(max_side);
    return request;
}

int run_render(const std::vector<std::string>& args, const settings& values) {
    const auto parsed = parse_render_arguments(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) return bad_usage(*error);
    const auto* request = &std::get<render_request>(parsed);
    const auto application = offscreen_application();

    map_view view;
    no_progress progress;
    // The whole world, flat or as a globe, is drawn at the Low level; only a view fitted to a
    // trace needs the others.
    const auto wrong = request->fit ? load_all_levels(view, values.db_path, progress)
                                    : load_first_level(view, values.db_path, progress);
    if (wrong) {
        ShowMessage(format_message("Wrong data in file %s", *wrong));
        return 1;
    }
    // Hop positions are only needed to show a trace file.
    if (request->trace_file) load_location_sources(values, progress);
    // A picture without any map would pass for a success.
    if (view.maps->coastlines[0].empty()) {
        ShowMessage(format_message("Can't read the map data in %s", values.db_path + "maps/"));
        return 1;
    }
    take_display_flags(view, values);
    const bool globe = request->globe.value_or(values.globe_mode != 0);
    quiet_view_listener listener;
    // Sized like a map window of the picture's size, so that it draws what the window would.
    resize_view(view, request->width, request->height, listener);
    if (globe) set_globe_mode(view, listener);

    // The home is marked, and the trace's positions are checked from it.
    const auto home = parse_home_location(values.home_location);
    if (home) view.home = to_map_units(*home);
    trace_store store(sources_resolver(app_location_sources(values)));
    store.set_home(home);
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
