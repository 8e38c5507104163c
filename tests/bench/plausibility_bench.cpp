// The position check over one trace: a live trace's 30 hops checked once (it is checked again
// with every hop), and a long trace from a file, whose hops are compared within compare_span.
// Hops scattered over the world, every third far from the others (or none: a route that agrees
// with itself), half of them GeoIP.
#include <benchmark/benchmark.h>

#include "geolocation/plausibility.h"

namespace {

std::vector<hoplot::hop_evidence> scattered_hops(int count, bool far = true) {
    std::vector<hoplot::hop_evidence> hops;
    for (int i = 0; i < count; ++i) {
        const bool away = far && i % 3 == 0;
        const double latitude = away ? -30.0 + i % 7 : 48.0 + (i % 11) * 0.1;
        const double longitude = away ? 150.0 - i % 5 : 2.0 + (i % 13) * 0.1;
        const auto source = i % 2 ? hoplot::location_source::geoip : hoplot::location_source::cache;
        hoplot::hop_evidence hop;
        hop.answers.push_back({{latitude, longitude}, source});
        hop.answers.push_back({{48.0, 2.0}, hoplot::location_source::rules});
        hop.rtt_ms = 1.0 + i % 4;
        hops.push_back(hop);
    }
    return hops;
}

void check_between_hops(benchmark::State& state) {
    const auto hops = scattered_hops(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(hoplot::check_positions(hops, std::nullopt));
}
BENCHMARK(check_between_hops)->Arg(30)->Arg(10'000)->Unit(benchmark::kMicrosecond);

void check_agreeing_route(benchmark::State& state) {
    const auto hops = scattered_hops(static_cast<int>(state.range(0)), false);
    for (auto _ : state)
        benchmark::DoNotOptimize(hoplot::check_positions(hops, std::nullopt));
}
BENCHMARK(check_agreeing_route)->Arg(30)->Unit(benchmark::kMicrosecond);

void check_against_home(benchmark::State& state) {
    const auto hops = scattered_hops(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(hoplot::check_positions(hops, hoplot::coordinates{48.85, 2.35}));
}
BENCHMARK(check_against_home)->Arg(30)->Arg(10'000)->Unit(benchmark::kMicrosecond);

} // namespace
