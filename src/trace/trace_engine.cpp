#include "trace/trace_engine.h"

#include <cstdio>
#include <random>
#include <vector>

#include "platform/icmp_prober.h"

namespace hoplot {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// How often the worker looks at the stop request, and at look-ups it waits for.
constexpr microseconds stop_poll = milliseconds(10);
constexpr microseconds lookup_poll = milliseconds(1);

// The name and position of one hop, looked up on the engine's pool: several hops are looked up
// at once, and a stop makes them give up (a slow name server's answer is left to come in
// unwaited for).
struct hop_task {
    std::atomic<bool> done = false;
    traced_hop hop;
};

std::shared_ptr<hop_task> look_up(task_pool& pool, std::shared_ptr<hop_lookup> lookup,
                                  std::shared_ptr<const location_sources> sources,
                                  std::stop_token stop, hop_rec row) {
    auto task = std::make_shared<hop_task>();
    task->hop.row = std::move(row);
    pool.run(
        [lookup = std::move(lookup), sources = std::move(sources), stop = std::move(stop), task] {
            hop_rec& found = task->hop.row;
            found.name = lookup->reverse_lookup(found.address, stop).value_or(found.address);
            task->hop.where = lookup->locate(found.name, found.address, *sources, stop);
            found.location = task->hop.where.location;
            found.kind = task->hop.where.kind;
            // A look-up that gave up has nothing to report.
            task->done = !stop.stop_requested();
        });
    return task;
}

hop_rec answered_row(const probe_slot& slot) {
    hop_rec row;
    row.address = to_text(slot.from);
    const auto whole_ms = std::chrono::duration_cast<milliseconds>(slot.rtt);
    char time[32];
    std::snprintf(time, sizeof time, "%4dms", static_cast<int>(whole_ms.count()));
    row.time = time;
    row.rtt = slot.rtt;
    row.colour = black;
    return row;
}

// 0.x.x.x ("this network") and :: (no address) lead nowhere.
bool traceable(const ip_address& address) {
    if (address.family == ip_family::v4) return address.bytes[0] != 0;
    return address != ip_address::v6({});
}

microseconds until(probe_clock::time_point deadline) {
    const auto left = std::chrono::ceil<microseconds>(deadline - probe_clock::now());
    return std::max(left, microseconds(0));
}

} // namespace

engine_parts system_engine_parts(probe_settings settings) {
    return {open_system_prober, std::make_shared<system_hop_lookup>(), settings};
}

trace_engine::trace_engine(trace_sink& sink, engine_parts parts)
    : sink_(sink), parts_(std::move(parts)),
      next_sequence_(static_cast<std::uint16_t>(std::random_device{}())),
      lookups_(static_cast<std::size_t>(parts_.settings.last_ttl)) {}

trace_engine::~trace_engine() {
    stop_trace();
    join();
    // The look-ups, told to stop with the trace, end as the pool goes.
}

void trace_engine::start_trace(const std::string& destination, address_family family,
                               location_sources sources) {
    join();
    sink_.handle(trace_events::begin{destination});
    sink_.handle(trace_events::status{"Tracing"});
    sink_.handle(trace_events::started{});
    // Look-ups the last trace no longer needed give up. A stop of its own for every trace, made
    // here rather than by the worker, so that a stop right after the start is not lost.
    stop_.request_stop();
    stop_ = std::stop_source();
    running_ = true;
    worker_ = std::thread(
        [this, job = trace_job{destination, family,
                               std::make_shared<const location_sources>(std::move(sources)),
                               stop_.get_token()}] { run(job); });
}

void trace_engine::stop_trace() {
    stop_.request_stop();
}

void trace_engine::join() {
    if (worker_.joinable()) worker_.join();
}

void trace_engine::run(const trace_job& job) {
    // Waited for only until a stop: the look-up itself cannot be interrupted.
    const forward_result resolved =
        parts_.lookup->resolve_host(job.destination, job.family, job.stop);
    if (job.stop.stop_requested()) {
        finish();
        return;
    }
    const auto address = resolved.address ? parse_ip(*resolved.address) : std::nullopt;
    if (!address || !traceable(*address)) {
        sink_.handle(trace_events::line{"Can't resolve IP name", red});
        finish();
        return;
    }
    const prober_opening opening = parts_.open_prober(*address);
    if (!opening.opened) {
        sink_.handle(trace_events::line{opening.error, red});
        finish();
        return;
    }
    sink_.handle(trace_events::traces_changed{});
    probe(job, *address, *opening.opened);
    if (!job.stop.stop_requested()) sink_.handle(trace_events::status_row{done_text, blue});
    sink_.handle(trace_events::status{"Ready"});
    sink_.handle(trace_events::end{});
    running_ = false;
    sink_.handle(trace_events::ended{});
}

void trace_engine::finish() {
    sink_.handle(trace_events::status{"Ready"});
    running_ = false;
    sink_.handle(trace_events::ended{});
}

void trace_engine::probe(const trace_job& job, const ip_address& address, prober& probes) {
    probe_schedule schedule(parts_.settings, address);
    std::vector<std::shared_ptr<hop_task>> tasks(
        static_cast<std::size_t>(parts_.settings.last_ttl) + 1);
    bool first_answer = true;
    int next_report = 1;
    while (!job.stop.stop_requested()) {
        // What waited long enough is settled first: it is not probed again.
        const auto now = probe_clock::now();
        schedule.expire(now);
        while (const auto ttl = schedule.next_to_send(now)) {
            const std::uint16_t sequence = next_sequence_++;
            if (const auto at = probes.send(address, *ttl, sequence))
                schedule.sent(*ttl, sequence, *at);
            else
                schedule.failed(*ttl, probe_clock::now());
        }
        for (int ttl = 1; ttl <= schedule.last_needed(); ++ttl) {
            auto& task = tasks[static_cast<std::size_t>(ttl)];
            if (!task && schedule.slot(ttl).state == probe_state::answered)
                task = look_up(lookups_, parts_.lookup, job.sources, job.stop,
                               answered_row(schedule.slot(ttl)));
        }
        // Hops go out strictly in TTL order, each once its probe is settled and looked up.
        for (; next_report <= schedule.last_needed(); ++next_report) {
            const probe_state state = schedule.slot(next_report).state;
            const auto& task = tasks[static_cast<std::size_t>(next_report)];
            if (state == probe_state::timed_out) {
                sink_.handle(trace_events::status_row{timed_out_text, red});
            } else if (state == probe_state::answered && task->done) {
                if (first_answer) sink_.handle(trace_events::first_answer{job.destination});
                first_answer = false;
                sink_.handle(task->hop);
            } else {
                break;
            }
        }
        if (next_report > schedule.last_needed()) return;

        microseconds wait = stop_poll;
        if (tasks[static_cast<std::size_t>(next_report)]) wait = lookup_poll;
        if (const auto event = schedule.next_event()) wait = std::min(wait, until(*event));
        if (const auto reply = probes.receive(wait)) schedule.answered(*reply);
    }
}

} // namespace hoplot
