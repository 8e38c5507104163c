#include "cli/command_line.h"

#include <cstdio>

#include "base/command_arguments.h"
#include "base/version.h"
#include "cli/cli_setup.h"
#include "cli/locate.h"
#include "cli/report.h"
#include "cli/show.h"
#include "platform/program_exec.h"

namespace hoplot {
namespace {

using mode_function = int (*)(const std::vector<std::string>&, const settings&);

struct mode {
    const char* flag;
    const char* synopsis;
    mode_function run; // null: the mode draws, and runs in the viewer program
};

const mode modes[] = {
    {"--report",
     "DEST [-4 | -6] [--json] [--save FILE.trc]   one trace; one line per output-window line",
     run_report},
    {"--locate", "ADDRESS [NAME] [--json]           one hop through the resolution pipeline",
     run_locate},
    {"--show", "FILE.trc [--json]                   the traces of a trace file, resolved anew",
     run_show},
    {render_flag,
     "OUT.png [--globe | --flat] [--open FILE.trc [--fit]] [--size WxH]   the map as an image",
     nullptr},
};

} // namespace

std::string usage_text() {
    std::string text = "Usage:\n  hoplot [HOST | FILE.trc]    the window; tracing HOST or showing "
                       "FILE.trc at once\n";
    for (const mode& m : modes)
        text += std::string("  hoplot ") + m.flag + " " + m.synopsis + "\n";
    text += "  hoplot --version | --help\n"
            "Exit status: 0 done, 1 the work failed, 2 bad usage.\n";
    return text;
}

std::optional<int> run_command_line(const std::vector<std::string>& arguments) {
    if (program_for(arguments.empty() ? nullptr : arguments.front().c_str()) == viewer_program)
        return std::nullopt;
    const std::string& flag = arguments.front();
    const bool version = flag == "--version";
    if (version || flag == "--help" || flag == "-h") {
        if (arguments.size() > 1) return bad_usage(flag + " does not take " + arguments[1]);
        std::fputs(version ? (program_title_with_version() + "\n").c_str() : usage_text().c_str(),
                   stdout);
        return 0;
    }
    for (const mode& m : modes) {
        if (flag == m.flag && m.run != nullptr)
            return m.run({arguments.begin() + 1, arguments.end()}, load_cli_settings());
    }
    return bad_usage("unknown option " + flag);
}

} // namespace hoplot
