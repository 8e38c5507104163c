// Loading of the map: what the first picture waits for (the Low level and the first cities
// file), what is read off the GUI thread after it (the Medium and High levels and their cities),
// and the largest file on its own.
#include <benchmark/benchmark.h>

#include "base/data_dir.h"
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

void first_level(benchmark::State& state) {
    if (!use_data_dir(state)) return;
    for (auto _ : state) {
        hoplot::map_view view;
        hoplot::no_progress progress;
        const auto wrong = hoplot::load_first_level(view, data_dir, progress);
        benchmark::DoNotOptimize(view);
        if (wrong || view.max_level != 3) state.SkipWithError("the Low level did not load");
    }
}
BENCHMARK(first_level)->Unit(benchmark::kMillisecond);

void detail_levels(benchmark::State& state) {
    if (!use_data_dir(state)) return;
    for (auto _ : state) {
        const auto levels = hoplot::load_detail_levels(data_dir, 3);
        benchmark::DoNotOptimize(levels);
        if (levels.wrong_grid || levels.max_level != 3)
            state.SkipWithError("the data did not load completely");
    }
}
BENCHMARK(detail_levels)->Unit(benchmark::kMillisecond);

void high_coastlines(benchmark::State& state) {
    if (!use_data_dir(state)) return;
    for (auto _ : state) {
        hoplot::map_level level;
        hoplot::no_progress progress;
        const auto status = hoplot::load_map_file(data_dir,
                                                  "maps/map.cil.256.256", 256, level, progress);
        benchmark::DoNotOptimize(level);
        if (status != hoplot::map_file_status::loaded) state.SkipWithError("no High coastlines");
    }
}
BENCHMARK(high_coastlines)->Unit(benchmark::kMillisecond);

} // namespace
