#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "geolocation/location.h"
#include "trace/hop_rec.h"

namespace hoplot {

// Everything the trace store does to the windows: the output list, the trace list, the map and
// the information window. The windows implement it; every call comes on the GUI thread. Each
// event does nothing by default, so a listener overrides only what it shows.
class store_observer {
  public:
    virtual ~store_observer() = default;

    virtual void output_cleared() {}
    virtual void output_line_added(const std::string& /*text*/, int /*colour*/) {}
    virtual void output_hop_added(const hop_rec& /*hop*/) {}
    // Row `row` of the `rows` the current trace holds changed, as a later hop or a new home
    // changed what the position check says of it. Its rows are the output window's last lines.
    virtual void output_hop_changed(std::size_t /*row*/, std::size_t /*rows*/,
                                    const hop_rec& /*hop*/) {}
    // The output shows these rows instead of its lines; by default as the single events would.
    virtual void output_reloaded(const std::vector<hop_rec>& rows) {
        output_cleared();
        for (const hop_rec& row : rows) {
            if (row.is_status())
                output_line_added(row.name, row.colour);
            else
                output_hop_added(row);
        }
    }

    virtual void trace_line_appended(const std::string& /*name*/) {}
    // Many lines at once, as a file brings them; by default one by one.
    virtual void trace_lines_appended(const std::vector<std::string>& names) {
        for (const std::string& name : names)
            trace_line_appended(name);
    }
    virtual void trace_line_removed(std::size_t /*index*/) {}
    virtual void trace_lines_cleared() {}
    virtual void trace_line_selected(std::size_t /*index*/) {}
    virtual void trace_lines_deselected() {}

    virtual void trace_count_changed(int /*count*/) {}

    // Full redraw of the map (also refreshes the overview and information windows).
    virtual void map_repainted() {}

    // Live drawing of a trace being built: always into the map's image, and on the map window
    // too when on_screen is set. Positions are in map units.
    virtual void hop_dot_drawn(map_point /*at*/, bool /*on_screen*/) {}
    virtual void route_line_drawn(map_point /*from*/, map_point /*to*/, bool /*on_screen*/) {}
    virtual void hop_label_drawn(const std::string& /*text*/, int /*label_index*/, int /*kind*/,
                                 map_point /*at*/, bool /*on_screen*/) {}
};

} // namespace hoplot
