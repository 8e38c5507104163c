// Loading a networks.cache of 1,000,000 lines, and one lookup in the loaded cache.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>

#include "geolocation/cache_files.h"

namespace {

constexpr int network_lines = 1'000'000;

// Distinct three-number networks with varied positions, about 38 bytes a line as in real files;
// the file goes when the program ends.
struct generated_file {
    std::string path =
        (std::filesystem::temp_directory_path() / "hoplot-bench-networks.cache").string();
    generated_file() {
        std::FILE* out = std::fopen(path.c_str(), "w");
        for (int i = 0; i < network_lines; ++i) {
            const int a = 1 + i / 65536 % 223;
            std::fprintf(out, "%d.%d.%d %d %dN %d %d%c net%d\n", a, i / 256 % 256, i % 256, i % 90,
                         i % 60, i % 180, i / 7 % 60, i % 2 ? 'E' : 'W', i);
        }
        std::fclose(out);
    }
    ~generated_file() { std::remove(path.c_str()); }
};

const std::string& networks_file() {
    static const generated_file file;
    return file.path;
}

void load_million_network_lines(benchmark::State& state) {
    const std::string& path = networks_file();
    hoplot::no_progress progress;
    for (auto _ : state) {
        hoplot::position_cache cache;
        hoplot::load_networks_cache(cache, path, progress);
        state.PauseTiming();
        if (cache.size() != network_lines) state.SkipWithError("lines were lost");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * network_lines);
}
BENCHMARK(load_million_network_lines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A host address that misses the host and checks every length down to its network.
void lookup_in_loaded_cache(benchmark::State& state) {
    static hoplot::position_cache cache;
    if (cache.size() == 0) {
        hoplot::no_progress progress;
        hoplot::load_networks_cache(cache, networks_file(), progress);
        cache.insert("10.1.2.3", "gw1", 37.77, "North", 122.42, "West");
    }
    const std::string addresses[] = {"1.2.3.77", "10.1.2.3", "200.7.7.7"};
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(cache.lookup(addresses[i++ % 3]));
}
BENCHMARK(lookup_in_loaded_cache)->Unit(benchmark::kNanosecond);

} // namespace
