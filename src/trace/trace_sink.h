#pragma once

#include <string>

#include "geolocation/resolve_location.h"
#include "trace/hop_rec.h"

namespace hoplot {

// A hop as the engine hands it over: named and placed. row.location and row.kind come from
// `where`; an unplaced hop has no location yet (the store puts it at the previous hop).
struct traced_hop {
    hop_rec row;
    resolution where;
};

// What the trace engine asks of the program around it: the store, the output window, the trace
// list, the status bar and the menu rules. begin_trace, set_status_text("Tracing") and
// trace_started come from the thread that calls start_trace; everything after that from the
// worker, in the order of the trace, and the receiver relays it to the thread that owns the store.
class trace_sink {
  public:
    virtual ~trace_sink() = default;

    virtual void begin_trace(const std::string& destination) = 0;
    // Deselect the trace list, "Tracing", empty the output window, trace-started menu rule,
    // redraw the map.
    virtual void trace_started() = 0;

    virtual void set_status_text(const std::string& text) = 0;
    // An output-window line that never becomes a row ("Can't resolve IP name").
    virtual void add_line(const std::string& text, int colour) = 0;
    // The first answer of a trace: append the destination to the trace list and select it.
    virtual void first_answer(const std::string& destination) = 0;
    virtual void add_hop(const traced_hop& hop) = 0;
    virtual void add_status_row(const std::string& text, int colour) = 0;
    // The traces held now differ from the last saved file.
    virtual void traces_changed() = 0;
    virtual void end_trace() = 0;
    // Trace-ended menu rule: always the last call of a trace.
    virtual void trace_ended() = 0;
};

} // namespace hoplot
