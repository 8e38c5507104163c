#pragma once

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "trace/trace_store.h"

namespace hoplot::testing {

// Records what the store does to the windows as short lines, in order.
class store_recorder final : public store_observer {
  public:
    std::vector<std::string> events;

    void output_cleared() override { events.push_back("output cleared"); }
    void output_line_added(const std::string& text, int colour) override {
        events.push_back("output line '" + text + "' " + std::to_string(colour));
    }
    void output_hop_added(const hop_rec& hop) override {
        events.push_back("output hop " + hop.name + " " + hop.location.value_or("?"));
    }
    void output_hop_changed(std::size_t row, std::size_t rows, const hop_rec& hop) override {
        events.push_back("output changed " + std::to_string(row) + "/" + std::to_string(rows) +
                         " " + hop.name + " " + hop.location.value_or("?"));
    }
    void trace_line_appended(const std::string& name) override {
        events.push_back("list append " + name);
    }
    void trace_line_removed(std::size_t index) override {
        events.push_back("list remove " + std::to_string(index));
    }
    void trace_lines_cleared() override { events.push_back("list cleared"); }
    void trace_line_selected(std::size_t index) override {
        events.push_back("list select " + std::to_string(index));
    }
    void trace_lines_deselected() override { events.push_back("list deselect"); }
    void trace_count_changed(int count) override {
        events.push_back("count " + std::to_string(count));
    }
    void map_repainted() override { events.push_back("repaint"); }
    void hop_dot_drawn(map_point at, bool on_screen) override {
        events.push_back("dot " + where(at) + screen(on_screen));
    }
    void route_line_drawn(map_point from, map_point to, bool on_screen) override {
        events.push_back("line " + where(from) + " " + where(to) + screen(on_screen));
    }
    void hop_label_drawn(const std::string& text, int label_index, int kind, map_point at,
                         bool on_screen) override {
        events.push_back("label " + text + " " + std::to_string(label_index) + " kind" +
                         std::to_string(kind) + " " + where(at) + screen(on_screen));
    }

    // Only the events that start with one of the given words.
    std::vector<std::string> only(std::initializer_list<std::string> words) const {
        std::vector<std::string> kept;
        std::copy_if(events.begin(), events.end(), std::back_inserter(kept), [&](const auto& e) {
            return std::any_of(words.begin(), words.end(),
                               [&](const std::string& w) { return e.rfind(w + " ", 0) == 0; });
        });
        return kept;
    }

  private:
    static std::string where(map_point p) {
        return std::to_string(p.x) + "," + std::to_string(p.y);
    }
    static std::string screen(bool on_screen) { return on_screen ? "" : " image"; }
};

// Places hops by address from a table the test controls; an address not in it is unresolved.
struct fake_places {
    std::map<std::string, map_point> positions;
    std::map<std::string, int> kinds;
    std::map<std::string, std::string> renames;     // host names the resolver rewrites
    std::map<std::string, location_source> sources; // the position cache unless said
    std::map<std::string, coordinates> degrees;
    std::map<std::string, as_network> networks;
    std::map<std::string, std::vector<resolution>> later; // later sources' answers
    int calls = 0;

    // Places the address at these degrees, as the source says.
    void place(const std::string& address, coordinates at, location_source source) {
        positions[address] = to_map_units(at);
        degrees[address] = at;
        sources[address] = source;
    }
    // A later source's answer for the address.
    void add_later(const std::string& address, coordinates at, location_source source) {
        resolution answer;
        answer.location = "later at " + address;
        answer.position = to_map_units(at);
        answer.lat_lon = at;
        answer.source = source;
        later[address].push_back(answer);
    }

    trace_store::resolver resolver() {
        return [this](std::string& name, const std::string& address) {
            ++calls;
            if (renames.count(address)) name = renames.at(address);
            resolution where;
            if (networks.count(address)) where.network = networks.at(address);
            const auto found = positions.find(address);
            if (found == positions.end()) return where;
            const auto source = sources.find(address);
            where.location = "at " + address;
            where.position = found->second;
            where.kind = kinds[address];
            where.source = source == sources.end() ? location_source::cache : source->second;
            if (degrees.count(address)) where.lat_lon = degrees.at(address);
            if (later.count(address)) where.later = later.at(address);
            return where;
        };
    }
};

inline hop_rec hop(const std::string& name, const std::string& address, int ms = 1) {
    char time[16];
    std::snprintf(time, sizeof time, "%4dms", ms);
    return {.name = name, .address = address, .location = {}, .time = time};
}

// A store placing hops from fake_places and reporting to a recorder.
struct store_test : ::testing::Test {
    fake_places places;
    trace_store store{places.resolver()};
    store_recorder seen;

    store_test() { store.add_observer(seen); }

    // One trace as the engine builds it: hop rows resolved by the store, status rows as they come.
    void add_trace(const std::string& name, const std::vector<hop_rec>& rows) {
        store.begin_trace(name);
        for (const hop_rec& row : rows)
            row.is_status() ? store.add_status_row(row.name, row.colour) : store.add_hop(row, true);
        store.end_trace();
    }
};

// Hops named "h" and their address, one per address.
inline std::vector<hop_rec> hops_at(const std::vector<std::string>& addresses) {
    std::vector<hop_rec> rows;
    for (const std::string& a : addresses)
        rows.push_back(hop("h" + a, a));
    return rows;
}

} // namespace hoplot::testing
