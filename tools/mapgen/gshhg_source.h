#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hoplot::mapgen {

struct geo_point {
    double lon; // degrees east, −180 .. 180
    double lat; // degrees north
};

// One stored segment of a binned GSHHG file: a piece of a shore, river or border that ends on
// the edges of its bin (or closes on itself).
struct source_segment {
    std::vector<geo_point> points;
    int level = 0;       // shore level, river class or border level, as stored
    bool closed = false; // a whole ring inside its bin (shores only)
};

enum class source_kind { shores, rivers, borders };

// Reads every segment of one binned file; on failure returns nothing and sets error.
std::optional<std::vector<source_segment>> read_binned_file(const std::string& path,
                                                            source_kind kind, std::string& error);

} // namespace hoplot::mapgen
