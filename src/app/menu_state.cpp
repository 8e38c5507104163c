#include "app/menu_state.h"

namespace hoplot {
namespace {

bool enabled(command_id id, const program_state& state) {
    const busy_state& busy = state.busy;
    switch (id) {
    case command_id::print:
        return false; // there is no printing; the item stays as a reminder
    case command_id::new_file:
    case command_id::open_file:
    case command_id::save_file:
    case command_id::save_file_as:
    case command_id::clear_traces:
    case command_id::start_trace:
    case command_id::auto_rotation:
        return !busy.tracing && !busy.rotating && !busy.opening;
    case command_id::stop_trace:
        return busy.tracing && !busy.opening;
    case command_id::undo:
        return !state.history_empty && !busy.tracing && !busy.rotating && !busy.opening;
    case command_id::reset_view:
    case command_id::cities:
    case command_id::coastlines:
    case command_id::boundaries:
    case command_id::rivers:
        return !busy.rotating && !busy.opening;
    case command_id::flat_map:
    case command_id::globe:
        return !busy.opening;
    case command_id::stop_rotation:
        return busy.rotating;
    case command_id::quit:
    case command_id::use_rfc1876:
    case command_id::use_geoip:
    case command_id::set_home_location:
    case command_id::help:
    case command_id::about:
        return true;
    }
    return true;
}

bool checked(command_id id, const program_state& state) {
    switch (id) {
    case command_id::flat_map:
        return !state.globe_mode;
    case command_id::globe:
        return state.globe_mode;
    case command_id::cities:
        return state.display_cities;
    case command_id::coastlines:
        return state.display_coastlines;
    case command_id::boundaries:
        return state.display_boundaries;
    case command_id::rivers:
        return state.display_rivers;
    case command_id::use_rfc1876:
        return state.rfc1876;
    case command_id::use_geoip:
        return state.use_geoip;
    default:
        return false;
    }
}

} // namespace

item_state menu_state(command_id id, const program_state& state) {
    return {enabled(id, state), checked(id, state)};
}

} // namespace hoplot
