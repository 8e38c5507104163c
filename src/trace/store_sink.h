#pragma once

#include "trace/trace_sink.h"
#include "trace/trace_store.h"

namespace hoplot {

// What a trace changes in the window besides the store: the status bar, the output window being
// emptied at the start, and the menu rules.
class trace_controls {
  public:
    virtual ~trace_controls() = default;
    virtual void set_status_text(const std::string& text) = 0;
    // Empty the output window; the trace-started menu rule.
    virtual void trace_started() = 0;
    // The trace-ended menu rule.
    virtual void trace_ended() = 0;
};

// Applies the engine's events to the store and the controls. Runs on the thread that owns the
// store: the engine's worker reaches it through a relay.
class store_sink : public trace_sink {
  public:
    store_sink(trace_store& store, trace_controls& controls) : store_(store), controls_(controls) {}

    void handle(const trace_event& event) override;

  private:
    void apply(const trace_events::begin& event);
    void apply(const trace_events::started& event);
    void apply(const trace_events::status& event) { controls_.set_status_text(event.text); }
    // Only ever before the trace's first hop, so the store shows it without keeping it.
    void apply(const trace_events::line& event) { store_.add_status_row(event.text, event.colour); }
    void apply(const trace_events::first_answer&) { select_after_hop_ = true; }
    void apply(const traced_hop& hop);
    void apply(const trace_events::status_row& row) { store_.add_status_row(row.text, row.colour); }
    void apply(const trace_events::traces_changed&) { store_.set_traces_saved(false); }
    void apply(const trace_events::end&) { store_.end_trace(); }
    void apply(const trace_events::ended&) { controls_.trace_ended(); }

    trace_store& store_;
    trace_controls& controls_;
    bool select_after_hop_ = false;
};

} // namespace hoplot
