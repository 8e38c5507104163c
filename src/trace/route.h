#pragma once

#include <string>
#include <vector>

#include "geolocation/location.h"

namespace hoplot {

// One hop on the map.
struct point_rec {
    std::string label; // the hop's name
    map_point position;
    int kind = 0;          // selects the label colour
    bool doubtful = false; // its round trip rules its position out
};

// Consecutive hops at one position. point_count counts the labels placed here and may exceed
// points.size() when a later place returned to this position; readers stop at whichever ends
// first.
struct hop_group {
    std::vector<point_rec> points;
    int point_count = 1;
    int label_base = 0; // labels earlier places had already put at this position
};

// The route of the current trace, places in route order; no places when no hop had a position.
struct route_rec {
    std::string name; // destination while the trace is built; empty for a rebuilt route
    std::vector<hop_group> places;
};

// Label indices run 0, 1, ..., 10, then 1 again: index 10 points like index 0.
inline constexpr int next_label_index(int index) {
    return index + 1 > 10 ? 1 : index + 1;
}

} // namespace hoplot
