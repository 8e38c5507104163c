#include "map/view_history.h"

namespace hoplot {

view_snapshot view_snapshot::of(const map_view& view) {
    return {view.globe_mode,
            view.zoomed,
            view.wrapped,
            view.display_cities,
            view.display_coastlines,
            view.display_boundaries,
            view.display_rivers,
            view.x_offset,
            view.y_offset,
            view.zoom,
            view.left,
            view.top,
            view.right,
            view.bottom};
}

void view_snapshot::restore_into(map_view& view) const {
    view.globe_mode = globe_mode;
    view.zoomed = zoomed;
    view.wrapped = wrapped;
    view.display_cities = display_cities;
    view.display_coastlines = display_coastlines;
    view.display_boundaries = display_boundaries;
    view.display_rivers = display_rivers;
    view.x_offset = x_offset;
    view.y_offset = y_offset;
    view.zoom = zoom;
    view.left = left;
    view.top = top;
    view.right = right;
    view.bottom = bottom;
}

void view_history::push(const map_view& view) {
    snapshots_.push_back(view_snapshot::of(view));
    if (snapshots_.size() == 1 && listener_) listener_(false);
}

bool view_history::undo(map_view& view) {
    if (snapshots_.empty()) return false;
    snapshots_.back().restore_into(view);
    snapshots_.pop_back();
    if (snapshots_.empty() && listener_) listener_(true);
    return true;
}

} // namespace hoplot
