// Converts the binned GSHHG shores, WDB rivers and WDB borders into the nine map data files.
#include "mapgen/cell_file.h"
#include "mapgen/cell_grid.h"
#include "mapgen/gshhg_source.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using namespace hoplot::mapgen;

constexpr int cell_size = 256;

struct detail_level {
    int cells_per_side;
    char resolution; // GSHHG's c(rude), l(ow), i(ntermediate), h(igh), f(ull)
    double smallest_lake_degrees;
};
constexpr detail_level detail_levels[] = {{4, 'c', 1.0}, {32, 'l', 0.4}, {256, 'h', 0.02}};

struct layer {
    const char* file_kind;
    const char* source_name;
    source_kind kind;
};
constexpr layer layers[] = {{"cil", "GSHHS", source_kind::shores},
                            {"riv", "river", source_kind::rivers},
                            {"bdy", "border", source_kind::borders}};

// Lakes, ponds and islands in lakes whose longer side is shorter than the level's smallest lake
// would only show as dots and dashes.
bool is_small_lake(const source_segment& segment, double smallest_lake_degrees) {
    if (!segment.closed || segment.level < 2) return false;
    const auto [west, east] = std::minmax_element(segment.points.begin(), segment.points.end(),
                                                  [](auto& a, auto& b) { return a.lon < b.lon; });
    const auto [south, north] = std::minmax_element(segment.points.begin(), segment.points.end(),
                                                    [](auto& a, auto& b) { return a.lat < b.lat; });
    return std::max(east->lon - west->lon, north->lat - south->lat) < smallest_lake_degrees;
}

// Shores: levels 1 to 4 (sea shore, lake, island in a lake, pond). Antarctica is stored twice, its
// ice front among the sea shores and its grounding line as level 6; maps show the ice front.
// Rivers: the double-lined and the permanent major ones. Borders: national ones.
bool wanted(const source_segment& segment, source_kind kind) {
    switch (kind) {
    case source_kind::shores:
        return segment.level >= 1 && segment.level <= 4;
    case source_kind::rivers:
        return segment.level <= 1;
    case source_kind::borders:
        return segment.level == 1;
    }
    return false;
}

std::vector<grid_point> to_grid(const std::vector<geo_point>& points, double extent) {
    std::vector<grid_point> out;
    out.reserve(points.size());
    for (const geo_point& p : points)
        out.push_back({(p.lon + 180) / 360 * extent, (p.lat + 90) / 180 * extent});
    return out;
}

bool make_file(const std::string& source_dir, const std::string& out_dir, const detail_level& level,
               const layer& layer) {
    const std::string source =
        source_dir + "/binned_" + layer.source_name + "_" + level.resolution + ".nc";
    std::string error;
    const auto segments = read_binned_file(source, layer.kind, error);
    if (!segments) {
        std::fprintf(stderr, "mapgen: %s\n", error.c_str());
        return false;
    }
    cell_grid grid(level.cells_per_side, cell_size);
    const double extent = static_cast<double>(level.cells_per_side) * cell_size;
    for (const source_segment& segment : *segments) {
        if (!wanted(segment, layer.kind) || segment.points.empty() ||
            is_small_lake(segment, level.smallest_lake_degrees))
            continue;
        grid.add_polyline(to_grid(segment.points, extent));
    }
    grid.join_touching_pieces();

    const std::string name = std::string("map.") + layer.file_kind + "." +
                             std::to_string(level.cells_per_side) + "." + std::to_string(cell_size);
    const std::string bytes = encode_cell_file(grid);
    std::ofstream out(out_dir + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "mapgen: cannot write %s/%s\n", out_dir.c_str(), name.c_str());
        return false;
    }
    std::printf("%-16s %9zu bytes from %s\n", name.c_str(), bytes.size(), source.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr,
                     "usage: hoplot_mapgen OUT_DIR [GSHHG_DIR (default /usr/share/gmt-gshhg)]\n");
        return 2;
    }
    const std::string out_dir = argv[1];
    const std::string source_dir = argc == 3 ? argv[2] : "/usr/share/gmt-gshhg";
    for (const detail_level& level : detail_levels)
        for (const layer& layer : layers)
            if (!make_file(source_dir, out_dir, level, layer)) return 1;
    return 0;
}
