#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "map/map_view.h"
#include "trace/hop_rec.h"
#include "trace/route.h"

namespace hoplot {

// The hops whose dot lies under a client point, in route order, counting every hop of the route
// (hop k is the trace's k-th hop row): all those sharing the nearest dot, none when no dot is
// within reach.
std::vector<std::size_t> hops_at(const map_view& view, const route_rec& route, pixel_point at);

// The index among all rows (status rows included) of the trace's hop-th hop row.
std::optional<std::size_t> row_of_hop(const std::vector<hop_rec>& rows, std::size_t hop);

// A tip about the given hops: for each its name, address, network, location, where that came
// from (or why its round trip rules it out) and time, one to a line, a blank line between hops.
std::string hop_tip_text(const std::vector<hop_rec>& rows, const std::vector<std::size_t>& hops);

} // namespace hoplot
