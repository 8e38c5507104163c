#include "trace/store_sink.h"

namespace hoplot {

void store_sink::begin_trace(const std::string& destination) {
    select_after_hop_ = false;
    store_.begin_trace(destination);
}

void store_sink::trace_started() {
    store_.deselect_traces();
    controls_.trace_started();
    store_.repaint_map();
}

void store_sink::add_line(const std::string& text, int colour) {
    // Only ever before the trace's first hop, so the store shows it without keeping it.
    store_.add_status_row(text, colour);
}

void store_sink::first_answer(const std::string&) {
    select_after_hop_ = true;
}

void store_sink::add_hop(const traced_hop& hop) {
    store_.add_hop(hop.row, hop.where, true);
    // The store appends the trace's line with its first hop: that line is highlighted, as the
    // trace shown, even when an older trace has the same name or one that begins with it.
    if (select_after_hop_ && store_.current_trace()) store_.select_trace(*store_.current_trace());
    select_after_hop_ = false;
}

void store_sink::add_status_row(const std::string& text, int colour) {
    store_.add_status_row(text, colour);
}

} // namespace hoplot
