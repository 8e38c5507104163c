#pragma once

#include <vector>

#include "trace/store_observer.h"

namespace hoplot {

// Hands every store event to each window that listens, in the order they were added: the store
// talks to one observer, the window has several.
class store_observers final : public store_observer {
  public:
    void add(store_observer& observer) { observers_.push_back(&observer); }

    void output_cleared() override {
        each([](auto& o) { o.output_cleared(); });
    }
    void output_line_added(const std::string& text, int colour) override {
        each([&](auto& o) { o.output_line_added(text, colour); });
    }
    void output_hop_added(const hop_rec& hop) override {
        each([&](auto& o) { o.output_hop_added(hop); });
    }
    void output_hop_changed(std::size_t row, std::size_t rows, const hop_rec& hop) override {
        each([&](auto& o) { o.output_hop_changed(row, rows, hop); });
    }
    void trace_line_appended(const std::string& name) override {
        each([&](auto& o) { o.trace_line_appended(name); });
    }
    void trace_line_removed(std::size_t index) override {
        each([&](auto& o) { o.trace_line_removed(index); });
    }
    void trace_lines_cleared() override {
        each([](auto& o) { o.trace_lines_cleared(); });
    }
    void trace_line_selected(std::size_t index) override {
        each([&](auto& o) { o.trace_line_selected(index); });
    }
    void trace_lines_deselected() override {
        each([](auto& o) { o.trace_lines_deselected(); });
    }
    void trace_count_changed(int count) override {
        each([&](auto& o) { o.trace_count_changed(count); });
    }
    void map_repainted() override {
        each([](auto& o) { o.map_repainted(); });
    }
    void hop_dot_drawn(map_point at, bool on_screen) override {
        each([&](auto& o) { o.hop_dot_drawn(at, on_screen); });
    }
    void route_line_drawn(map_point from, map_point to, bool on_screen) override {
        each([&](auto& o) { o.route_line_drawn(from, to, on_screen); });
    }
    void hop_label_drawn(const std::string& text, int label_index, int kind, map_point at,
                         bool on_screen) override {
        each([&](auto& o) { o.hop_label_drawn(text, label_index, kind, at, on_screen); });
    }

  private:
    template <typename call> void each(call&& f) {
        for (store_observer* o : observers_)
            f(*o);
    }

    std::vector<store_observer*> observers_;
};

} // namespace hoplot
