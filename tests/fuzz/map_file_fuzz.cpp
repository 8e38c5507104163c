// Map files are read whole from the data directory, which anyone may replace or damage.
#include <cstddef>
#include <cstdint>
#include <span>

#include "map/map_files.h"

namespace {

// The level whose grid the header claims, so that the cells are read for every grid size.
std::uint32_t expected_grid(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 4) return 4;
    const std::uint32_t grid = std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
                               std::uint32_t{bytes[2]} << 8 | bytes[3];
    return grid == 32 || grid == 256 ? grid : 4;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    hoplot::map_level level;
    hoplot::no_progress progress;
    if (hoplot::parse_map_file(bytes, expected_grid(bytes), level, progress) !=
        hoplot::map_file_status::loaded)
        return 0;
    // Every point of a loaded level must be reachable and place somewhere finite.
    double sum = 0;
    for (std::uint32_t ix = 0; ix < level.grid(); ++ix) {
        for (std::uint32_t iy = 0; iy < level.grid(); ++iy) {
            const hoplot::map_cell cell = level.cell(ix, iy);
            for (std::size_t j = 0; j < cell.polyline_count(); ++j) {
                for (const hoplot::cell_point point : cell.polyline(j)) {
                    const auto at = hoplot::world_point(level, ix, iy, point, 831, 572);
                    sum += at.x + at.y;
                }
            }
        }
    }
    if (sum != sum) __builtin_trap();
    return 0;
}
