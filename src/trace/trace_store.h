#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "geolocation/resolve_location.h"
#include "trace/hop_rec.h"
#include "trace/route.h"
#include "trace/store_observer.h"

namespace hoplot {

// One trace: its destination name (its line in the trace list) and its rows, the first always a
// hop row.
struct trace_entry {
    std::string name;
    std::vector<hop_rec> rows;
};

inline constexpr const char* unresolved_text = "Unresolved";

// The traces of the program, oldest first (entry i is line i of the trace list), the route of the
// current trace, and the state of the trace being built. Used on the GUI thread only.
class trace_store {
  public:
    // Places one hop; may change the host name.
    using resolver = std::function<resolution(std::string& host_name, const std::string& address)>;

    explicit trace_store(resolver resolve);

    // Every event goes to each observer, in the order they were added; an observer stays
    // added for the store's life.
    void add_observer(store_observer& observer);

    int trace_count() const { return static_cast<int>(entries_.size()); }
    const std::vector<trace_entry>& traces() const { return entries_; }
    const route_rec* current_route() const { return route_ ? &*route_ : nullptr; }
    // Index of the trace the current route was built from.
    std::optional<std::size_t> current_trace() const { return route_ ? current_ : std::nullopt; }

    // 1 when the traces have no unsaved change.
    bool traces_saved() const { return traces_saved_; }
    void set_traces_saved(bool saved) { traces_saved_ = saved; }

    // Starts building a trace: no rows, no route yet. The label counter and the last position
    // carry over from the previous trace.
    void begin_trace(const std::string& destination);

    // A status line in the output window; stored only once the trace has its first hop row.
    void add_status_row(const std::string& text, int colour);

    // Adds one hop (name, address, time, colour) to the trace being built, placed where the
    // caller's resolution says: lists it, stores it, groups it into the route and draws it. The
    // first hop creates the trace's entry and its line in the trace list.
    void add_hop(hop_rec hop, const resolution& where, bool on_screen);
    // The same, resolving the hop here.
    void add_hop(hop_rec hop, bool on_screen);

    // Closes the trace being built; a trace none of whose hops got a position keeps its rows but
    // loses its places.
    void end_trace();

    // Adds whole traces after the others, as a file holds them, in one pass: their hops are not
    // placed, checked or drawn yet; showing a trace (rebuild_route) or place_trace does that.
    void add_traces(std::vector<trace_entry> traces);

    // Places every hop of trace `index` anew and checks the positions against each other.
    void place_trace(std::size_t index);

    // Makes trace `index` the current one: resolves every hop row anew, regroups the route,
    // redraws the map and refills the output window.
    void rebuild_route(std::size_t index);

    // Removes one trace; the last remaining trace becomes the current one.
    void delete_trace(std::size_t index);

    // Removes every trace and the route; the caller redraws the map.
    void clear_traces();

    // A full redraw of the map, for the commands that change the store around the route.
    void repaint_map();

    // Where the round trips are measured from: a hop placed farther from it than its round trip
    // allows is implausible. Without one, hops are checked against each other. The current
    // trace is checked again.
    void set_home(std::optional<coordinates> home);
    const std::optional<coordinates>& home() const { return home_; }

    // Trace-list selection, for the engine and the file commands.
    void select_trace(std::size_t index);
    void deselect_traces();

  private:
    struct building {
        std::string destination;
        std::optional<std::size_t> entry; // set by the first hop
        bool resolved_seen = false;
        bool live = false; // its hops come from the engine, not from a file
    };

    void add_first_hop(hop_rec hop, point_rec point, bool resolved, bool on_screen);
    void add_later_hop(hop_rec hop, point_rec point, bool resolved, bool on_screen);
    void move_first_place(map_point to, bool on_screen);
    void forget_building();
    template <typename... params, typename... values>
    void notify(void (store_observer::*event)(params...), const values&... arguments);
    std::vector<std::size_t> check_with(hop_rec& hop);
    void regroup(const std::vector<std::size_t>& changed, bool show);

    resolver resolve_;
    std::vector<store_observer*> observers_;
    std::vector<trace_entry> entries_;
    std::optional<route_rec> route_;
    std::optional<std::size_t> current_;
    std::optional<building> building_;
    int label_counter_ = 0;
    map_point last_position_; // where the next unresolved hop goes; kept across traces
    bool traces_saved_ = true;
    std::optional<coordinates> home_;
};

// Places hops with the given sources.
trace_store::resolver sources_resolver(location_sources sources);

} // namespace hoplot
