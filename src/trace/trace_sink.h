#pragma once

#include <string>
#include <variant>

#include "geolocation/resolve_location.h"
#include "trace/hop_rec.h"

namespace hoplot {

// A hop as the engine hands it over: named and placed. row.location and row.kind come from
// `where`; an unplaced hop has no location yet (the store puts it at the previous hop).
struct traced_hop {
    hop_rec row;
    resolution where;
};

// What the trace engine tells the program around it: the store, the output window, the trace
// list, the status bar and the menu rules.
namespace trace_events {

struct begin {
    std::string destination;
};
// Deselect the trace list, empty the output window, trace-started menu rule, redraw the map.
struct started {};
struct status {
    std::string text;
};
// An output-window line that never becomes a row ("Can't resolve IP name").
struct line {
    std::string text;
    int colour;
};
// The first answer of a trace: append the destination to the trace list and select it.
struct first_answer {
    std::string destination;
};
struct status_row {
    std::string text;
    int colour;
};
// The traces held now differ from the last saved file.
struct traces_changed {};
struct end {};
// Trace-ended menu rule: always the last event of a trace.
struct ended {};

} // namespace trace_events

using trace_event = std::variant<trace_events::begin, trace_events::started, trace_events::status,
                                 trace_events::line, trace_events::first_answer, traced_hop,
                                 trace_events::status_row, trace_events::traces_changed,
                                 trace_events::end, trace_events::ended>;

// Takes the engine's events. begin, the status "Tracing" and started come from the thread that
// calls start_trace; everything after that from the worker, in the order of the trace, and the
// receiver relays it to the thread that owns the store.
class trace_sink {
  public:
    virtual ~trace_sink() = default;
    virtual void handle(const trace_event& event) = 0;
};

} // namespace hoplot
