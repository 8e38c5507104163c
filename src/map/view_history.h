#pragma once

#include <functional>
#include <vector>

#include "map/map_view.h"

namespace hoplot {

// The part of the view that Undo brings back: mode, flags, scroll offsets, zoom and region.
// Traces, busy flags and sizes are not part of it.
struct view_snapshot {
    bool globe_mode = false;
    bool zoomed = false;
    bool wrapped = false;
    bool display_cities = false;
    bool display_coastlines = false;
    bool display_boundaries = false;
    bool display_rivers = false;
    int x_offset = 0;
    int y_offset = 0;
    int zoom = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static view_snapshot of(const map_view& view);
    void restore_into(map_view& view) const;
};

// The undo history of the map view, newest last, without a size limit. It tells its listener
// when it becomes empty or non-empty, which is all the Undo command's enabled state needs.
class view_history {
  public:
    using emptiness_listener = std::function<void(bool empty)>;

    void set_listener(emptiness_listener listener) { listener_ = std::move(listener); }

    bool empty() const { return snapshots_.empty(); }
    std::size_t size() const { return snapshots_.size(); }

    // Before every change of the view.
    void push(const map_view& view);
    // Restores the newest snapshot into the view and drops it; false (view untouched) when empty.
    bool undo(map_view& view);
    // Forgets every snapshot. The listener is not told: the caller refreshes the menu itself.
    void clear() { snapshots_.clear(); }

  private:
    std::vector<view_snapshot> snapshots_;
    emptiness_listener listener_;
};

} // namespace hoplot
