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
};
constexpr detail_level detail_levels[] = {{4, 'c'}, {32, 'l'}, {256, 'h'}};

struct layer {
    const char* file_kind;
    const char* source_name;
    source_kind kind;
};
constexpr layer layers[] = {{"cil", "GSHHS", source_kind::shores},
                            {"riv", "river", source_kind::rivers},
                            {"bdy", "border", source_kind::borders}};

// Rings smaller than this many steps are lakes and ponds that would only show as dashes.
constexpr double smallest_lake_steps = 3;

bool is_tiny_lake(const std::vector<grid_point>& line) {
    const auto [min_x, max_x] =
        std::minmax_element(line.begin(), line.end(), [](auto& a, auto& b) { return a.x < b.x; });
    const auto [min_y, max_y] =
        std::minmax_element(line.begin(), line.end(), [](auto& a, auto& b) { return a.y < b.y; });
    return max_x->x - min_x->x < smallest_lake_steps && max_y->y - min_y->y < smallest_lake_steps;
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
        if (!wanted(segment, layer.kind) || segment.points.empty()) continue;
        const std::vector<grid_point> line = to_grid(segment.points, extent);
        if (segment.closed && segment.level >= 2 && is_tiny_lake(line)) continue;
        grid.add_polyline(line);
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
