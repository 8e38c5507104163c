#include "cli/report.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <optional>
#include <variant>

#include "base/command_arguments.h"
#include "base/settings.h"
#include "base/show_message.h"
#include "cli/cli_setup.h"
#include "cli/hop_json.h"
#include "cli/json_text.h"
#include "cli/output_line.h"
#include "geolocation/plausibility.h"
#include "trace/destination.h"
#include "trace/output_row.h"
#include "trace/sink_relay.h"
#include "trace/store_sink.h"
#include "trace/trace_engine.h"
#include "trace/trace_file.h"

namespace hoplot {
namespace {

struct report_options {
    std::string destination;
    bool json = false;
    std::optional<std::string> save_path;
    int window = probe_settings{}.window;
    address_family family = address_family::automatic;
};

// The options, or what is wrong with them. A name with both kinds of address is traced over the
// Address Family setting's, unless -4 or -6 says otherwise.
std::variant<report_options, std::string> parse_options(const std::vector<std::string>& args,
                                                        const settings& values) {
    const argument_parse parsed = parse_arguments(
        args, "--report", {{"--json"}, {"-4"}, {"-6"}, {"--save", "FILE.trc"}, {"--window", "N"}});
    if (!parsed.arguments) return parsed.error;
    const command_arguments& given = *parsed.arguments;
    // A web address is traced by its host, as from the window.
    const auto destination =
        given.operands.size() == 1 ? trace_destination(given.operands[0]) : std::nullopt;
    if (!destination) return "--report needs one destination";
    report_options options;
    options.family = static_cast<address_family>(values.address_family);
    options.destination = *destination;
    options.json = given.has("--json");
    options.save_path = given.value("--save");
    // The last of -4 and -6 wins.
    for (const auto& option : given.options) {
        if (option.first == "-4") options.family = address_family::ipv4;
        if (option.first == "-6") options.family = address_family::ipv6;
    }
    if (const auto window = given.value("--window")) {
        const int last = probe_settings{}.last_ttl;
        const auto value = number_argument(*window, 1, last);
        if (!value) return "--window takes 1 to " + std::to_string(last);
        options.window = *value;
    }
    return options;
}

// Set by the signal handler, which may run on any of the program's threads.
std::atomic<bool> interrupted = false;
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void on_interrupt(int) {
    interrupted = true;
    // The trace is told to stop; a second Ctrl-C ends the program at once.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

// Prints the output window's lines as the store lists them; error lines (texts that never
// become rows) go to standard error. The JSON document is written once the trace is over, from
// the stored rows: a later hop may change what the position check says of an earlier one.
class report_output : public store_observer, public trace_controls {
  public:
    explicit report_output(bool json) : json_(json) {}

    bool failed() const { return failed_; }
    void print_document(const trace_store& store, const std::string& destination) const;

    void output_line_added(const std::string& text, int colour) override;
    void output_hop_added(const hop_rec& hop) override;

    void set_status_text(const std::string&) override {}
    void trace_started() override {}
    void trace_ended() override {}

  private:
    bool json_;
    bool failed_ = false;
    std::vector<std::string> json_lines_; // status lines as they came; hops stand empty
};

void report_output::output_line_added(const std::string& text, int colour) {
    if (!make_status_row(text, colour).is_status()) {
        std::fprintf(stderr, "%s\n", text.c_str());
        failed_ = true;
    } else if (json_) {
        json_lines_.push_back(status_json(text, colour));
    } else {
        std::printf("%s\n", output_line(text).c_str());
        std::fflush(stdout);
    }
}

void report_output::output_hop_added(const hop_rec& hop) {
    if (json_) {
        json_lines_.emplace_back();
        return;
    }
    std::printf("%s\n", output_line(hop).c_str());
    std::fflush(stdout);
}

// The lines as they came, the stored ones (the last) as the store holds them now.
void report_output::print_document(const trace_store& store, const std::string& destination) const {
    const auto current = store.current_trace();
    const std::vector<hop_rec> none;
    const std::vector<hop_rec>& rows = current ? store.traces()[*current].rows : none;
    std::printf("{\"destination\":%s,\"stored\":%s,\"lines\":[", json_string(destination).c_str(),
                current ? "true" : "false");
    for (std::size_t i = 0; i < json_lines_.size(); ++i) {
        const auto row = stored_row_of_line(i, json_lines_.size(), rows.size());
        const std::string line = row ? row_json(rows[*row]) : json_lines_[i];
        std::printf("%s\n%s", i == 0 ? "" : ",", line.c_str());
    }
    std::printf("]}\n");
}

} // namespace

int run_report(const std::vector<std::string>& args, const settings& values) {
    const auto parsed = parse_options(args, values);
    if (const auto* error = std::get_if<std::string>(&parsed)) return bad_usage(*error);
    const auto* options = &std::get<report_options>(parsed);
    load_cli_sources(values);
    const location_sources sources = app_location_sources(values);

    trace_store store(sources_resolver(sources));
    report_output output(options->json);
    store.add_observer(output);
    store.set_home(parse_home_location(values.home_location));
    store_sink sink(store, output);
    sink_relay relay(sink);
    probe_settings probing;
    probing.window = options->window;
    trace_engine engine(relay, system_engine_parts(probing));

    // Ctrl-C stops the trace as the Stop command does, in every phase (the destination's name
    // look-up is not waited for): the rows so far stay, without "Done".
    interrupted = false;
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    engine.start_trace(options->destination, options->family, sources);
    while (!relay.run_pending(std::chrono::milliseconds(20)))
        if (interrupted) engine.stop_trace();
    engine.join();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    if (output.failed()) return 1;
    if (options->json) output.print_document(store, options->destination);
    if (options->save_path && !write_trace_file(store, *options->save_path)) {
        ShowMessage(format_message("Can't write to file %s", *options->save_path));
        return 1;
    }
    return 0;
}

} // namespace hoplot
