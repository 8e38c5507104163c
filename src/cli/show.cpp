#include "cli/show.h"

#include "base/command_arguments.h"
#include "base/show_message.h"
#include "cli/cli_setup.h"
#include "cli/output_line.h"
#include "geolocation/resolve_location.h"
#include "trace/trace_file.h"
#include "trace/trace_store.h"

namespace hoplot {

int run_show(const std::vector<std::string>& args, const settings& values) {
    const argument_parse parsed = parse_arguments(args, "--show", {});
    if (!parsed.arguments) return bad_usage(parsed.error);
    if (parsed.arguments->operands.size() != 1) return bad_usage("--show needs one FILE.trc");
    load_cli_sources(values);
    return show_trace_file(parsed.arguments->operands.front(), app_location_sources(values),
                           stdout);
}

int show_trace_file(const std::string& path, const location_sources& sources, std::FILE* out) {
    trace_store store(sources_resolver(sources));
    if (!read_trace_file(store, path)) {
        ShowMessage(format_message("Can't read file %s", path));
        return 1;
    }
    for (const trace_entry& trace : store.traces()) {
        std::fprintf(out, "%s\n", trace.name.c_str());
        for (const hop_rec& row : trace.rows)
            std::fprintf(out, "%s\n", output_line(row).c_str());
    }
    return 0;
}

} // namespace hoplot
