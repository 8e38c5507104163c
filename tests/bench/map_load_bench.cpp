// Start-up loading of the map: the nine map files and the three cities files of the data
// directory, as the map window reads them before it first draws.
#include <benchmark/benchmark.h>

#include "base/data_dir.h"
#include "map/cities.h"
#include "map/map_files.h"
#include "map/map_view.h"
#include "map/startup_data.h"

namespace {

const std::string data_dir = hoplot::find_data_dir();

bool use_data_dir(benchmark::State& state) {
    if (!data_dir.empty()) return true;
    state.SkipWithError("no data directory");
    return false;
}

void map_files_and_cities(benchmark::State& state) {
    if (!use_data_dir(state)) return;
    for (auto _ : state) {
        hoplot::map_view view;
        hoplot::no_progress progress;
        const auto wrong = hoplot::load_startup_data(view, data_dir, progress, nullptr);
        benchmark::DoNotOptimize(view);
        if (wrong || view.max_level != 3) state.SkipWithError("the data did not load completely");
    }
}
BENCHMARK(map_files_and_cities)->Unit(benchmark::kMillisecond);

void map_files(benchmark::State& state) {
    if (!use_data_dir(state)) return;
    for (auto _ : state) {
        hoplot::map_view view;
        hoplot::no_progress progress;
        hoplot::load_map_data(view, data_dir, progress);
        benchmark::DoNotOptimize(view);
    }
}
BENCHMARK(map_files)->Unit(benchmark::kMillisecond);

void cities(benchmark::State& state) {
    if (!use_data_dir(state)) return;
    for (auto _ : state) {
        hoplot::map_view view;
        view.max_level = 3;
        hoplot::no_progress progress;
        hoplot::load_cities(view, data_dir, progress);
        benchmark::DoNotOptimize(view);
    }
}
BENCHMARK(cities)->Unit(benchmark::kMillisecond);

} // namespace
