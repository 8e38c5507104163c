// The AS table at the size of the real one (412,000 IPv4 and 103,000 IPv6 ranges, 84,000
// networks): opening the file as the program does at start, and one look-up of either family.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "geolocation/as_source.h"

namespace {

constexpr std::size_t ranges4 = 412'000, ranges6 = 103'000, networks = 84'000;

// Ranges with gaps between them spread over each family's space; the file goes when the program
// ends.
struct generated_table {
    std::string path = (std::filesystem::temp_directory_path() / "hoplot-bench-asn.bin").string();
    generated_table() {
        std::mt19937_64 random(23);
        const auto ranges = [&](std::size_t count, hoplot::address_number step) {
            std::vector<hoplot::as_range> out;
            hoplot::address_number at = step;
            for (std::size_t i = 0; i < count; ++i) {
                const hoplot::address_number length = step / 200 * (1 + random() % 100);
                const auto number = static_cast<std::uint32_t>(1 + random() % networks);
                out.push_back({at, at + length - 1, {number, "Network " + std::to_string(number)}});
                at += step;
            }
            return out;
        };
        const std::string bytes = hoplot::build_as_table(
            ranges(ranges4, (hoplot::address_number{1} << 32) / (ranges4 + 2)),
            ranges(ranges6, (hoplot::address_number{1} << 127) / (ranges6 + 2)));
        std::FILE* out = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    ~generated_table() { std::remove(path.c_str()); }
};

const std::string& table_file() {
    static const generated_table table;
    return table.path;
}

void open_table_file(benchmark::State& state) {
    const std::string& path = table_file();
    for (auto _ : state) {
        auto database = hoplot::as_database::open(path);
        if (!database) state.SkipWithError("the table does not open");
        benchmark::DoNotOptimize(database);
    }
}
BENCHMARK(open_table_file)->Unit(benchmark::kMicrosecond);

// Addresses spread over the whole space, so that each search walks cold parts of the table.
void lookup(benchmark::State& state, bool six) {
    static const auto database = hoplot::as_database::open(table_file());
    std::mt19937_64 random(7);
    std::vector<std::string> addresses;
    for (int i = 0; i < 4096; ++i) {
        char text[64];
        if (six)
            std::snprintf(text, sizeof text, "%x:%x:%x::%x", unsigned(random() % 0x8000),
                          unsigned(random() % 0x10000), unsigned(random() % 0x10000),
                          unsigned(random() % 0x10000));
        else
            std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned(random() % 256),
                          unsigned(random() % 256), unsigned(random() % 256),
                          unsigned(random() % 256));
        addresses.emplace_back(text);
    }
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const auto network = database->lookup(addresses[i++ % addresses.size()]);
        found += network.has_value();
        benchmark::DoNotOptimize(network);
    }
    state.counters["found"] = benchmark::Counter(double(found) / double(i));
}
BENCHMARK_CAPTURE(lookup, ipv4, false)->Unit(benchmark::kNanosecond);
BENCHMARK_CAPTURE(lookup, ipv6, true)->Unit(benchmark::kNanosecond);

} // namespace
