#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "trace/sink_relay.h"
#include "trace/store_sink.h"
#include "trace/trace_engine.h"

namespace hoplot {

// Tracing from the window: the engine on its worker, its events queued in order to the GUI
// thread's event loop and applied there to the store; what else changes is signalled.
class window_tracing : public QObject, private trace_controls {
    Q_OBJECT

  public:
    window_tracing(trace_store& store, engine_parts parts);

    // Traces a name with addresses of both families over `family`, placing hops by `sources`.
    void start(const std::string& destination, address_family family, location_sources sources);
    void stop();
    // From start until the trace's last event has reached the GUI thread: the store belongs to
    // the trace until then.
    bool running() const { return running_; }

  signals:
    // Empty the output window; the trace-started menu rule.
    void started();
    void status_changed(const QString& text);
    // The trace-ended menu rule; running() is already false.
    void ended();

  private:
    // On the GUI thread: the events the worker queued, to the store.
    Q_INVOKABLE void deliver_events();
    void set_status_text(const std::string& text) override;
    void trace_started() override;
    void trace_ended() override;

    bool running_ = false;
    store_sink sink_;
    sink_relay relay_;
    // Last, so that it goes first: its worker has ended before the relay and the sink go, and
    // the events still queued are dropped with them.
    trace_engine engine_;
};

} // namespace hoplot
