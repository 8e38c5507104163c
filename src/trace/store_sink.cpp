#include "trace/store_sink.h"

namespace hoplot {

void store_sink::handle(const trace_event& event) {
    std::visit([this](const auto& e) { apply(e); }, event);
}

void store_sink::apply(const trace_events::begin& event) {
    select_after_hop_ = false;
    store_.begin_trace(event.destination);
}

void store_sink::apply(const trace_events::started&) {
    store_.deselect_traces();
    controls_.trace_started();
    store_.repaint_map();
}

void store_sink::apply(const traced_hop& hop) {
    store_.add_hop(hop.row, hop.where, true);
    // The store appends the trace's line with its first hop: that line is highlighted, as the
    // trace shown, even when an older trace has the same name or one that begins with it.
    if (select_after_hop_ && store_.current_trace()) store_.select_trace(*store_.current_trace());
    select_after_hop_ = false;
}

} // namespace hoplot
