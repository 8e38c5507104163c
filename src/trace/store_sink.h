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

// Applies the engine's calls to the store and the controls. Runs on the thread that owns the
// store: the engine's worker reaches it through a relay.
class store_sink : public trace_sink {
  public:
    store_sink(trace_store& store, trace_controls& controls) : store_(store), controls_(controls) {}

    void begin_trace(const std::string& destination) override;
    void trace_started() override;
    void set_status_text(const std::string& text) override { controls_.set_status_text(text); }
    void add_line(const std::string& text, int colour) override;
    void first_answer(const std::string& destination) override;
    void add_hop(const traced_hop& hop) override;
    void add_status_row(const std::string& text, int colour) override;
    void traces_changed() override { store_.set_traces_saved(false); }
    void end_trace() override { store_.end_trace(); }
    void trace_ended() override { controls_.trace_ended(); }

  private:
    trace_store& store_;
    trace_controls& controls_;
    bool select_after_hop_ = false;
};

} // namespace hoplot
