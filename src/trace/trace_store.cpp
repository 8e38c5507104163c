#include "trace/trace_store.h"

#include <algorithm>

#include "trace/position_check.h"

namespace hoplot {
namespace {

// Gives the hop its answer, location text, kind, source and network, not checked yet.
void apply_resolution(hop_rec& hop, const resolution& where) {
    hop.network = where.network;
    hop.where = where;
    hop.check = {};
    hop.check_note.clear();
    if (!where.location) {
        hop.location.emplace(unresolved_text);
        hop.kind = 0;
        hop.source = location_source::none;
        return;
    }
    hop.location = where.location;
    hop.kind = where.kind;
    hop.source = where.source;
}

// Where the answer the hop shows puts it, or the fallback for a hop that no source placed.
map_point hop_position(const hop_rec& hop, map_point fallback) {
    return hop.where.location ? shown_answer(hop).position : fallback;
}

// Joins the point to the last place when it stands where the previous hop stood; otherwise opens
// a new place, whose labels continue after those of the first earlier place at the same
// position. Returns whether a place was opened.
bool place_point(route_rec& route, point_rec point, map_point previous) {
    if (!route.places.empty() && point.position == previous) {
        hop_group& current = route.places.back();
        current.points.push_back(std::move(point));
        ++current.point_count;
        return false;
    }
    hop_group opened{{}, 1, 0};
    for (hop_group& place : route.places) {
        const auto counted = std::min<std::size_t>(
            static_cast<std::size_t>(std::max(place.point_count, 0)), place.points.size());
        const auto end = place.points.begin() + static_cast<std::ptrdiff_t>(counted);
        const bool here = std::any_of(place.points.begin(), end, [&](const point_rec& p) {
            return p.position == point.position;
        });
        if (!here) continue;
        opened.label_base = place.point_count;
        opened.point_count = ++place.point_count;
        break;
    }
    opened.points.push_back(std::move(point));
    route.places.push_back(std::move(opened));
    return true;
}

// A trace's hop rows grouped into places: hops before the first placed one join it, a hop that
// no source placed stays where the hop before it stood.
route_rec group_route(const std::vector<hop_rec>& rows, std::string name) {
    route_rec route{std::move(name), {}};
    map_point last;
    bool resolved_any = false;
    for (const hop_rec& row : rows) {
        if (row.is_status()) continue;
        const bool placed = row.where.location.has_value();
        const map_point position = hop_position(row, last);
        point_rec point{row.name, position, row.kind, doubtful(row)};
        if (route.places.empty()) {
            route.places.push_back(hop_group{{std::move(point)}, 1, 0});
            resolved_any = placed;
        } else {
            if (!resolved_any && placed) {
                resolved_any = true;
                for (point_rec& moved : route.places.front().points)
                    moved.position = position;
                last = position;
            }
            place_point(route, std::move(point), last);
        }
        last = position;
    }
    if (!resolved_any) route.places.clear();
    return route;
}

bool has_doubtful_point(const route_rec& route) {
    return std::any_of(route.places.begin(), route.places.end(), [](const hop_group& place) {
        return std::any_of(place.points.begin(), place.points.end(),
                           [](const point_rec& p) { return p.doubtful; });
    });
}

} // namespace

trace_store::trace_store(resolver resolve) : resolve_(std::move(resolve)) {}

trace_store::resolver sources_resolver(location_sources sources) {
    return [sources = std::move(sources)](std::string& host_name, const std::string& address) {
        return resolve_location(host_name, address, sources);
    };
}

void trace_store::add_observer(store_observer& observer) {
    observers_.push_back(&observer);
}

template <typename... params, typename... values>
void trace_store::notify(void (store_observer::*event)(params...), const values&... arguments) {
    for (store_observer* observer : observers_)
        (observer->*event)(arguments...);
}

void trace_store::begin_trace(const std::string& destination) {
    building_ = building{destination, std::nullopt, false};
    route_.reset();
    current_.reset();
}

void trace_store::add_status_row(const std::string& text, int colour) {
    if (building_ && building_->entry) {
        entries_[*building_->entry].rows.push_back(make_status_row(text, colour));
    }
    notify(&store_observer::output_line_added, text, colour);
}

void trace_store::add_hop(hop_rec hop, bool on_screen) {
    if (!building_) return;
    const resolution where = resolve_(hop.name, hop.address);
    add_hop(std::move(hop), where, on_screen);
}

void trace_store::add_hop(hop_rec hop, const resolution& where, bool on_screen) {
    if (!building_) return;
    apply_resolution(hop, where);
    // A live trace is checked hop by hop; a file's, once it is read (end_trace).
    std::vector<std::size_t> changed;
    if (on_screen) {
        building_->live = true;
        changed = check_with(hop);
    }
    const map_point position = hop_position(hop, last_position_);
    const bool resolved = where.location.has_value();
    notify(&store_observer::output_hop_added, hop);

    point_rec point{hop.name, position, hop.kind, doubtful(hop)};
    const std::string label = hop.name;
    const int kind = hop.kind;
    if (building_->entry) {
        add_later_hop(std::move(hop), std::move(point), resolved, on_screen);
    } else {
        add_first_hop(std::move(hop), std::move(point), resolved, on_screen);
    }

    if (building_->resolved_seen) {
        notify(&store_observer::hop_label_drawn, label, label_counter_, kind, position, on_screen);
        label_counter_ = next_label_index(label_counter_);
    }
    last_position_ = position;
    // The live drawing knows no doubt: a route with a doubtful hop is drawn whole.
    if (!changed.empty())
        regroup(changed, true);
    else if (on_screen && has_doubtful_point(*route_))
        notify(&store_observer::map_repainted);
}

// Checks the trace being built with the new hop; returns the earlier rows that changed.
std::vector<std::size_t> trace_store::check_with(hop_rec& hop) {
    std::vector<hop_rec*> rows;
    if (building_->entry)
        for (hop_rec& row : entries_[*building_->entry].rows)
            rows.push_back(&row);
    rows.push_back(&hop);
    std::vector<std::size_t> changed = check_rows(rows, home_);
    std::erase(changed, rows.size() - 1);
    return changed;
}

// The current route anew from its rows once the check changed some; shown when asked.
void trace_store::regroup(const std::vector<std::size_t>& changed, bool show) {
    const std::vector<hop_rec>& rows = entries_[*current_].rows;
    route_ = group_route(rows, route_->name);
    if (building_ && current_ == building_->entry && !route_->places.empty())
        last_position_ = route_->places.back().points.back().position;
    if (!show) return;
    notify(&store_observer::map_repainted);
    for (const std::size_t row : changed)
        notify(&store_observer::output_hop_changed, row, rows.size(), rows[row]);
}

void trace_store::set_home(std::optional<coordinates> home) {
    home_ = home;
    if (!route_ || !current_) return;
    const std::vector<std::size_t> changed = check_rows(entries_[*current_].rows, home_);
    if (!changed.empty()) regroup(changed, true);
}

void trace_store::add_first_hop(hop_rec hop, point_rec point, bool resolved, bool on_screen) {
    const map_point position = point.position;
    entries_.push_back({building_->destination, {std::move(hop)}});
    building_->entry = entries_.size() - 1;
    notify(&store_observer::trace_count_changed, trace_count());

    route_ = route_rec{building_->destination, {hop_group{{std::move(point)}, 1, 0}}};
    current_ = building_->entry;
    notify(&store_observer::trace_line_appended, entries_.back().name);

    if (resolved) {
        building_->resolved_seen = true;
        notify(&store_observer::hop_dot_drawn, position, on_screen);
    }
    label_counter_ = 0;
}

void trace_store::add_later_hop(hop_rec hop, point_rec point, bool resolved, bool on_screen) {
    const map_point position = point.position;
    if (!building_->resolved_seen && resolved) {
        building_->resolved_seen = true;
        move_first_place(position, on_screen);
    }
    entries_[*building_->entry].rows.push_back(std::move(hop));

    const map_point previous = last_position_;
    const bool opened = place_point(*route_, std::move(point), previous);
    if (opened && building_->resolved_seen) {
        notify(&store_observer::route_line_drawn, previous, position, on_screen);
        notify(&store_observer::hop_dot_drawn, previous, on_screen);
        notify(&store_observer::hop_dot_drawn, position, on_screen);
    }
}

// The hops before the first placed one were parked at the last position; they move to the
// first real position and get their labels there.
void trace_store::move_first_place(map_point to, bool on_screen) {
    int index = 0;
    for (point_rec& point : route_->places.front().points) {
        point.position = to;
        notify(&store_observer::hop_dot_drawn, to, on_screen);
        notify(&store_observer::hop_label_drawn, point.label, index, point.kind, to, on_screen);
        index = next_label_index(index);
    }
    last_position_ = to;
    label_counter_ = index;
}

void trace_store::end_trace() {
    if (!building_) return;
    const bool current = route_ && current_ == building_->entry;
    if (building_->entry) {
        const auto changed = check_rows(entries_[*building_->entry].rows, home_);
        if (!changed.empty() && current) regroup(changed, building_->live);
    }
    if (current && !building_->resolved_seen) route_->places.clear();
    building_.reset();
}

void trace_store::add_traces(std::vector<trace_entry> traces) {
    std::vector<std::string> names;
    names.reserve(traces.size());
    for (trace_entry& trace : traces) {
        names.push_back(trace.name);
        entries_.push_back(std::move(trace));
    }
    if (names.empty()) return;
    notify(&store_observer::trace_lines_appended, names);
    notify(&store_observer::trace_count_changed, trace_count());
}

void trace_store::place_trace(std::size_t index) {
    if (index >= entries_.size()) return;
    for (hop_rec& row : entries_[index].rows) {
        if (row.is_status()) continue;
        row.location.reset();
        apply_resolution(row, resolve_(row.name, row.address));
    }
    check_rows(entries_[index].rows, home_);
}

void trace_store::rebuild_route(std::size_t index) {
    if (index >= entries_.size()) return;
    place_trace(index);
    route_ = group_route(entries_[index].rows, {});
    current_ = index;

    notify(&store_observer::map_repainted);
    notify(&store_observer::output_reloaded, entries_[index].rows);
}

void trace_store::delete_trace(std::size_t index) {
    if (index >= entries_.size()) return;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    route_.reset();
    current_.reset();
    forget_building();
    notify(&store_observer::trace_line_removed, index);
    notify(&store_observer::trace_count_changed, trace_count());
    if (entries_.empty()) {
        notify(&store_observer::map_repainted);
        notify(&store_observer::output_cleared);
    } else {
        rebuild_route(entries_.size() - 1);
    }
    traces_saved_ = false;
}

void trace_store::clear_traces() {
    notify(&store_observer::output_cleared);
    entries_.clear();
    route_.reset();
    current_.reset();
    forget_building();
    notify(&store_observer::trace_lines_cleared);
    notify(&store_observer::trace_count_changed, 0);
}

// Deleting or clearing may remove the rows the trace being built appends to.
void trace_store::forget_building() {
    building_.reset();
}

void trace_store::repaint_map() {
    notify(&store_observer::map_repainted);
}

void trace_store::select_trace(std::size_t index) {
    if (index < entries_.size()) notify(&store_observer::trace_line_selected, index);
}

void trace_store::deselect_traces() {
    notify(&store_observer::trace_lines_deselected);
}

} // namespace hoplot
