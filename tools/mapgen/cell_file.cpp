#include "mapgen/cell_file.h"

#include <cstdint>

namespace hoplot::mapgen {

namespace {

void put_u32(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v >> 24));
    out.push_back(static_cast<char>(v >> 16 & 0xff));
    out.push_back(static_cast<char>(v >> 8 & 0xff));
    out.push_back(static_cast<char>(v & 0xff));
}

} // namespace

std::string encode_cell_file(const cell_grid& grid) {
    std::string out;
    const int n = grid.cells_per_side();
    put_u32(out, static_cast<std::uint32_t>(n));
    put_u32(out, static_cast<std::uint32_t>(grid.cell_size()));
    for (int ix = 0; ix < n; ++ix) {
        for (int iy = 0; iy < n; ++iy) {
            const std::vector<cell_polyline>& pieces = grid.cell(ix, iy);
            put_u32(out, static_cast<std::uint32_t>(pieces.size()));
            for (const cell_polyline& piece : pieces)
                put_u32(out, static_cast<std::uint32_t>(piece.size()));
            for (const cell_polyline& piece : pieces) {
                for (const cell_point& p : piece) {
                    out.push_back(static_cast<char>(p.bx));
                    out.push_back(static_cast<char>(p.by));
                }
            }
        }
    }
    return out;
}

} // namespace hoplot::mapgen
