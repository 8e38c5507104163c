#pragma once

#include "app/commands.h"

namespace hoplot {

// Everything the menu's enabled and checked states depend on.
struct program_state {
    busy_state busy;
    bool history_empty = true;
    bool globe_mode = false;
    bool display_cities = false;
    bool display_coastlines = false;
    bool display_boundaries = false;
    bool display_rivers = false;
    bool rfc1876 = false;
    bool use_geoip = false;
};

struct item_state {
    bool enabled = true;
    bool checked = false;
    bool operator==(const item_state&) const = default;
};

// The state of one menu item in the given program state: a trace grays what would disturb it,
// so does a rotation, and an open in progress grays every file, view and trace command.
item_state menu_state(command_id id, const program_state& state);

} // namespace hoplot
