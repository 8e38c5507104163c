// Full redraws of the map picture with the shipped map data: the flat world at Low, a zoomed
// view at each detail level, the globe, and one step of automatic rotation, each with a ten-hop
// route.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

#include "base/data_dir.h"
#include "map/map_view.h"
#include "map/paint_map.h"
#include "map/startup_data.h"
#include "picture/painter_canvas.h"
#include "trace/route.h"

namespace hoplot {
namespace {

class no_listener final : public map_view_listener {
  public:
    void check_map_mode(bool) override {}
    void update_scroll_bars() override {}
    void show_message(const std::string&) override {}
    void show_missing_maps() override {}
};

map_point at(double longitude, double latitude) {
    return {static_cast<int>(65536 / 360.0 * (longitude + 180) + 0.5),
            static_cast<int>(65536 / 180.0 * (90 - latitude) + 0.5)};
}

const route_rec& ten_hop_route() {
    static const route_rec route = [] {
        const std::pair<double, double> places[] = {
            {-0.1, 51.5}, {2.3, 48.9},  {8.7, 50.1},  {13.4, 52.5}, {21.0, 52.2},
            {37.6, 55.8}, {28.9, 41.0}, {31.2, 30.0}, {55.3, 25.3}, {72.9, 19.1}};
        route_rec r;
        r.name = "example.com";
        for (const auto& [lon, lat] : places)
            r.places.push_back({{{"router.example.net", at(lon, lat), 0}}, 1, 0});
        return r;
    }();
    return route;
}

// The loaded data and a whole-world view of the given client size, all layers on.
map_view loaded_view(int width, int height) {
    static const std::unique_ptr<QGuiApplication> application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "render_bench";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
    static const map_view loaded = [] {
        map_view view;
        no_progress progress;
        load_all_levels(view, find_data_dir(), progress);
        return view;
    }();
    map_view view = loaded;
    view.display_coastlines = view.display_rivers = view.display_boundaries = true;
    view.display_cities = true;
    no_listener listener;
    resize_view(view, width, height, listener);
    view.current_route = &ten_hop_route();
    return view;
}

void redraw(benchmark::State& state, map_view view) {
    QImage image(view.client_w, view.client_h, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter_canvas surface(painter);
        paint_map(surface, view);
    }
    state.counters["level"] = view.level;
}

// Argument 0: the settings' default layers (cities off); 1: cities as well.
void flat_world(benchmark::State& state) {
    map_view view = loaded_view(831, 572);
    view.display_cities = state.range(0) != 0;
    redraw(state, view);
}

// The window sizes benchmarked: the world's own, and a full-HD screen.
constexpr int window_sizes[2][2] = {{831, 572}, {1920, 1080}};

// Europe at zoom 4 (Low), 16 (Medium) and 256 (High); argument 1 picks the window size.
void zoomed(benchmark::State& state) {
    const auto& size = window_sizes[state.range(1)];
    map_view view = loaded_view(size[0], size[1]);
    const int width = static_cast<int>(state.range(0)), height = width * 572 / 831;
    no_listener listener;
    set_view_rect(view, {430 - width / 2, 120 - height / 2}, {430 + width / 2, 120 + height / 2});
    update_zoom(view, listener);
    redraw(state, view);
}

map_view turned_globe(int width, int height) {
    map_view view = loaded_view(width, height);
    no_listener listener;
    set_globe_mode(view, listener);
    shift_view_x(view, -100); // turned so that the route faces the viewer
    return view;
}

void globe(benchmark::State& state) {
    redraw(state, turned_globe(831, 572));
}

// Automatic rotation's step: turn by 30 world pixels and redraw the whole globe.
void rotation_tick(benchmark::State& state) {
    const auto& size = window_sizes[state.range(0)];
    map_view view = turned_globe(size[0], size[1]);
    QImage image(view.client_w, view.client_h, QImage::Format_RGB32);
    for (auto _ : state) {
        shift_view_x(view, 30);
        QPainter painter(&image);
        painter_canvas surface(painter);
        paint_map(surface, view);
    }
}

BENCHMARK(flat_world)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(zoomed)->ArgsProduct({{416, 208, 52}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(globe)->Unit(benchmark::kMillisecond);
BENCHMARK(rotation_tick)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hoplot
