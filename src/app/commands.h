#pragma once

#include <optional>
#include <span>
#include <string>

namespace hoplot {

// Every command of the menu bar, the keyboard and the toolbar, by its menu: 10001 on File,
// 20001 on Edit, 30001 on View, 40001 on Trace, 60001 on Help.
enum class command_id {
    new_file = 10001,
    open_file = 10002,
    save_file = 10003,
    save_file_as = 10004,
    print = 10005,
    quit = 10006,
    undo = 20001,
    reset_view = 20002,
    cities = 30001,
    coastlines = 30002,
    boundaries = 30003,
    rivers = 30004,
    flat_map = 30005,
    globe = 30006,
    auto_rotation = 30007,
    stop_rotation = 30008,
    start_trace = 40001,
    clear_traces = 40002,
    stop_trace = 40003,
    use_rfc1876 = 40004,
    use_geoip = 40005,
    set_home_location = 40006,
    help = 60001,
    about = 60002,
};

enum class menu_id { file, edit, view, map_features, trace, help };

// What must not be running for a command to go ahead, tested in this order.
enum guard : unsigned {
    no_guard = 0,
    guard_trace = 1,
    guard_rotation = 2,
    guard_opening = 4,
};

struct command_entry {
    command_id id;
    menu_id menu;
    const char* label;         // with its '&' mnemonic
    const char* shortcut_text; // shown after the label; empty for none
    const char* key;           // the key bound to it (QKeySequence text); empty for none
    const char* tip;           // the status-bar help
    bool checkable;
    bool separator_before;
    unsigned guards;
};

// The commands in menu order; the Map Features items follow the rest of View.
std::span<const command_entry> command_table();
const command_entry& command(command_id id);

const char* menu_title(menu_id menu);

// "&New\tCtrl-N": the menu text of a command.
std::string menu_text(const command_entry& entry);

// What is running, as the guards see it.
struct busy_state {
    bool tracing = false;
    bool rotating = false;
    bool opening = false;
};

// The message that refuses a command, or nothing when it may run.
std::optional<std::string> refusal(const command_entry& entry, const busy_state& busy);

// What the toolbar's Stop button does: the trace, else the rotation, else it says why not.
enum class stop_choice { stop_trace, stop_rotation, refuse };
stop_choice choose_stop(const busy_state& busy);
// "Opening a file" or "Nothing to stop", for a refused Stop.
std::string stop_refusal(const busy_state& busy);

} // namespace hoplot
