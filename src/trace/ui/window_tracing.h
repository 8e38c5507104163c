#pragma once

#include <QObject>
#include <string>

#include "trace/sink_relay.h"
#include "trace/store_sink.h"
#include "trace/trace_engine.h"

namespace hoplot {

// Tracing from the window: the engine on its worker, its calls queued in order to the GUI
// thread's event loop, and applied there to the store and the window's controls.
class window_tracing {
  public:
    // controls: the status bar, emptying the output window and the trace-started and trace-ended
    // menu rules; running() is already false when trace_ended comes.
    window_tracing(trace_store& store, trace_controls& controls, engine_parts parts);

    void start(const std::string& destination);
    void stop();
    // From start until the trace's last call has reached the GUI thread: the store belongs to
    // the trace until then.
    bool running() const { return running_; }

  private:
    // Passes the controls on, noting the end of the trace first.
    class ending_controls : public trace_controls {
      public:
        ending_controls(trace_controls& controls, bool& running)
            : controls_(controls), running_(running) {}
        void set_status_text(const std::string& text) override { controls_.set_status_text(text); }
        void trace_started() override { controls_.trace_started(); }
        void trace_ended() override;

      private:
        trace_controls& controls_;
        bool& running_;
    };

    // Declared first so that it goes last: calls still queued to it are dropped with it.
    QObject context_;
    bool running_ = false;
    ending_controls controls_;
    store_sink sink_;
    sink_relay relay_;
    trace_engine engine_;
};

} // namespace hoplot
