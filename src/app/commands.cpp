#include "app/commands.h"

#include <algorithm>
#include <stdexcept>

namespace hoplot {
namespace {

constexpr unsigned all_guards = guard_trace | guard_rotation | guard_opening;

// clang-format off
constexpr command_entry table[] = {
    {command_id::new_file, menu_id::file, "&New", "Ctrl-N", "Ctrl+N", "Creates new file", false, false, no_guard},
    {command_id::open_file, menu_id::file, "&Open", "Ctrl-O", "Ctrl+O", "Opens old traces", false, false, no_guard},
    {command_id::save_file, menu_id::file, "&Save", "Ctrl-S", "Ctrl+S", "Saves traces", false, false, no_guard},
    {command_id::save_file_as, menu_id::file, "Save &As", "Ctrl-A", "Ctrl+A", "Save traces as..", false, false, no_guard},
    {command_id::print, menu_id::file, "&Print", "Ctrl-P", "Ctrl+P", "Unimplemented", false, false, no_guard},
    {command_id::quit, menu_id::file, "&Quit", "", "Ctrl+Q", "Quits Hoplot", false, true, no_guard},
    {command_id::undo, menu_id::edit, "&Undo", "Ctrl-Z", "Ctrl+Z", "Undo last operation", false, false, all_guards},
    {command_id::reset_view, menu_id::edit, "&Reset View", "Ctrl-R", "Ctrl+R", "Reset map view", false, false, no_guard},
    {command_id::flat_map, menu_id::view, "&Flat Map", "Ctrl-F", "Ctrl+F", "View map as flatmap", true, false, guard_opening},
    {command_id::globe, menu_id::view, "&Globe", "Ctrl-G", "Ctrl+G", "View map as globe", true, false, guard_opening},
    {command_id::auto_rotation, menu_id::view, "&Auto Rotation", "", "", "Automatically rotate the map", false, true, no_guard},
    {command_id::stop_rotation, menu_id::view, "&Stop Rotation", "", "", "Stop rotation", false, false, no_guard},
    {command_id::cities, menu_id::map_features, "&Cities", "", "", "Turn cities on/off", true, false, no_guard},
    {command_id::coastlines, menu_id::map_features, "C&oastlines", "", "", "Turn coastlines on/off", true, false, no_guard},
    {command_id::boundaries, menu_id::map_features, "&Political Boundaries", "", "", "Turn political boundaries on/off", true, false, no_guard},
    {command_id::rivers, menu_id::map_features, "&Rivers", "", "", "Turn rivers on/off", true, false, no_guard},
    {command_id::start_trace, menu_id::trace, "&Start Trace", "Ctrl-T", "Ctrl+T", "Start a trace", false, false, all_guards},
    {command_id::stop_trace, menu_id::trace, "S&top Trace", "", "", "Stop current trace", false, false, no_guard},
    {command_id::clear_traces, menu_id::trace, "&Clear Trace(s)", "", "", "Clear trace(s)", false, false, no_guard},
    {command_id::use_rfc1876, menu_id::trace, "Use &RFC 1876", "", "", "", true, false, no_guard},
    {command_id::use_geoip, menu_id::trace, "Use &GeoIP Database", "", "", "Place hops with the GeoIP database", true, false, no_guard},
    {command_id::set_home_location, menu_id::trace, "Set &Home Location...", "", "", "Where you are: hops placed farther than their round trips allow are marked", false, true, no_guard},
    {command_id::help, menu_id::help, "Hoplot &Help", "F1", "F1", "Help for Hoplot", false, false, no_guard},
    {command_id::about, menu_id::help, "&About", "", "", "Information about Hoplot", false, true, no_guard},
};
// clang-format on

} // namespace

std::span<const command_entry> command_table() {
    return table;
}

const command_entry& command(command_id id) {
    const auto found = std::find_if(std::begin(table), std::end(table),
                                    [id](const auto& e) { return e.id == id; });
    if (found == std::end(table)) throw std::out_of_range("unknown command");
    return *found;
}

const char* menu_title(menu_id menu) {
    switch (menu) {
    case menu_id::file:
        return "&File";
    case menu_id::edit:
        return "&Edit";
    case menu_id::view:
        return "&View";
    case menu_id::map_features:
        return "&Map Features...";
    case menu_id::trace:
        return "&Trace";
    case menu_id::help:
        return "&Help";
    }
    return "";
}

std::string menu_text(const command_entry& entry) {
    std::string text = entry.label;
    if (*entry.shortcut_text != '\0') text += std::string("\t") + entry.shortcut_text;
    return text;
}

std::optional<std::string> refusal(const command_entry& entry, const busy_state& busy) {
    if ((entry.guards & guard_trace) && busy.tracing) return "Trace currently running";
    if ((entry.guards & guard_rotation) && busy.rotating) return "Map is still begin rotated";
    if ((entry.guards & guard_opening) && busy.opening) return "Opening a file";
    return std::nullopt;
}

stop_choice choose_stop(const busy_state& busy) {
    if (busy.tracing) return stop_choice::stop_trace;
    if (busy.rotating) return stop_choice::stop_rotation;
    return stop_choice::refuse;
}

std::string stop_refusal(const busy_state& busy) {
    return busy.opening ? "Opening a file" : "Nothing to stop";
}

} // namespace hoplot
