#include "cli/report.h"

#include <csignal>
#include <cstdio>
#include <optional>

#include "cli/json_text.h"
#include "trace/sink_relay.h"
#include "trace/trace_engine.h"

namespace hoplot {
namespace {

struct report_options {
    std::string destination;
    bool json = false;
    std::optional<std::string> save_path;
    int window = probe_settings{}.window;
};

std::optional<report_options> parse_options(const std::vector<std::string>& args) {
    report_options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool has_value = i + 1 < args.size();
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--save" && has_value) {
            options.save_path = args[++i];
        } else if (arg == "--window" && has_value) {
            try {
                options.window = std::stoi(args[++i]);
            } catch (const std::exception&) {
                return std::nullopt;
            }
            if (options.window < 1 || options.window > probe_settings{}.last_ttl)
                return std::nullopt;
        } else if (options.destination.empty() && !arg.starts_with("--")) {
            options.destination = arg;
        } else {
            return std::nullopt;
        }
    }
    if (options.destination.empty()) return std::nullopt;
    return options;
}

volatile std::sig_atomic_t interrupted = 0;

extern "C" void on_interrupt(int) {
    interrupted = 1;
}

// Prints what the output window would list, as it comes; error lines go to standard error.
class report_printer : public trace_sink {
  public:
    explicit report_printer(bool json) : json_(json) {}

    bool failed() const { return failed_; }
    void print_document(const std::string& destination) const;

    void begin_trace(const std::string&) override {}
    void trace_started() override {}
    void set_status_text(const std::string&) override {}
    void add_line(const std::string& text, int) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        failed_ = true;
    }
    void first_answer(const std::string&) override { stored_ = true; }
    void add_hop(const traced_hop& hop) override;
    void add_status_row(const std::string& text, int colour) override;
    void traces_changed() override {}
    void end_trace() override {}
    void trace_ended() override {}

  private:
    void print_line(const std::string& name, const std::string& address,
                    const std::string& location, const std::string& time);

    bool json_;
    bool failed_ = false;
    bool stored_ = false;
    std::vector<std::string> json_lines_;
};

void report_printer::print_line(const std::string& name, const std::string& address,
                                const std::string& location, const std::string& time) {
    std::printf("%s\t%s\t%s\t%s\n", name.c_str(), address.c_str(), location.c_str(), time.c_str());
    std::fflush(stdout);
}

void report_printer::add_hop(const traced_hop& hop) {
    const hop_rec& row = hop.row;
    const std::string location = row.location.value_or("Unresolved");
    if (!json_) return print_line(row.name, row.address, location, row.time);
    std::string line =
        "{\"name\":" + json_string(row.name) + ",\"address\":" + json_string(row.address) +
        ",\"location\":" + json_string(location) + ",\"time\":" + json_string(row.time) +
        ",\"colour\":" + std::to_string(row.colour) + ",\"kind\":" + std::to_string(row.kind) +
        ",\"source\":" + json_string(source_name(hop.where.source));
    if (hop.where.location)
        line += ",\"x\":" + std::to_string(hop.where.position.x) +
                ",\"y\":" + std::to_string(hop.where.position.y);
    json_lines_.push_back(line + "}");
}

void report_printer::add_status_row(const std::string& text, int colour) {
    if (!json_) return print_line(text, "", "", "");
    json_lines_.push_back("{\"status\":" + json_string(text) +
                          ",\"colour\":" + std::to_string(colour) + "}");
}

void report_printer::print_document(const std::string& destination) const {
    std::printf("{\"destination\":%s,\"stored\":%s,\"lines\":[", json_string(destination).c_str(),
                stored_ ? "true" : "false");
    for (std::size_t i = 0; i < json_lines_.size(); ++i)
        std::printf("%s\n%s", i == 0 ? "" : ",", json_lines_[i].c_str());
    std::printf("]}\n");
}

} // namespace

int run_report(const std::vector<std::string>& args) {
    const auto options = parse_options(args);
    if (!options) {
        std::fprintf(stderr, "Usage: hoplot --report DEST [--json] [--save FILE.trc]\n");
        return 2;
    }
    report_printer printer(options->json);
    sink_relay relay(printer);
    probe_settings settings;
    settings.window = options->window;
    trace_engine engine(relay, system_engine_parts(settings));

    // Ctrl-C stops the trace as the Stop command does: the rows so far stay, without "Done".
    interrupted = 0;
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    engine.start_trace(options->destination);
    while (!relay.run_pending(std::chrono::milliseconds(20)))
        if (interrupted) engine.stop_trace();
    engine.join();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    if (printer.failed()) return 1;
    if (options->json) printer.print_document(options->destination);
    return 0;
}

} // namespace hoplot
