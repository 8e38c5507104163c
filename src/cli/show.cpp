#include "cli/show.h"

#include "base/command_arguments.h"
#include "base/settings.h"
#include "base/show_message.h"
#include "cli/cli_setup.h"
#include "cli/hop_json.h"
#include "cli/json_text.h"
#include "cli/output_line.h"
#include "geolocation/plausibility.h"
#include "geolocation/resolve_location.h"
#include "trace/trace_file.h"
#include "trace/trace_store.h"

namespace hoplot {

namespace {

void print_json(const trace_store& store, std::FILE* out) {
    std::fprintf(out, "{\"traces\":[");
    for (std::size_t t = 0; t < store.traces().size(); ++t) {
        const trace_entry& trace = store.traces()[t];
        std::fprintf(out, "%s\n{\"name\":%s,\"lines\":[", t == 0 ? "" : ",",
                     json_string(trace.name).c_str());
        for (std::size_t i = 0; i < trace.rows.size(); ++i)
            std::fprintf(out, "%s\n%s", i == 0 ? "" : ",", row_json(trace.rows[i]).c_str());
        std::fprintf(out, "]}");
    }
    std::fprintf(out, "]}\n");
}

} // namespace

int run_show(const std::vector<std::string>& args, const settings& values) {
    const argument_parse parsed = parse_arguments(args, "--show", {{"--json"}});
    if (!parsed.arguments) return bad_usage(parsed.error);
    if (parsed.arguments->operands.size() != 1) return bad_usage("--show needs one FILE.trc");
    load_cli_sources(values);
    return show_trace_file(parsed.arguments->operands.front(), values, stdout,
                           parsed.arguments->has("--json"));
}

int show_trace_file(const std::string& path, const settings& values, std::FILE* out, bool json) {
    trace_store store(sources_resolver(app_location_sources(values)));
    store.set_home(parse_home_location(values.home_location));
    if (!read_trace_file(store, path)) {
        ShowMessage(format_message("Can't read file %s", path));
        return 1;
    }
    if (json) {
        print_json(store, out);
        return 0;
    }
    for (const trace_entry& trace : store.traces()) {
        std::fprintf(out, "%s\n", trace.name.c_str());
        for (const hop_rec& row : trace.rows)
            std::fprintf(out, "%s\n", output_line(row).c_str());
    }
    return 0;
}

} // namespace hoplot
