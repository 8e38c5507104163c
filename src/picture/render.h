#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace hoplot {

struct settings;

struct render_request {
    std::string output;
    std::optional<bool> globe; // none: as the settings' Globe Mode says
    std::optional<std::string> trace_file;
    bool fit = false; // the flat map shows the trace's extent, not the whole world
    int width = 831;
    int height = 572;
};

// OUT.png [--globe | --flat] [--open FILE.trc [--fit]] [--size WxH], options in any order; what
// is wrong with them when they are not that. The last of --globe and --flat wins.
std::variant<render_request, std::string>
parse_render_arguments(const std::vector<std::string>& args);

// hoplot --render: draws the map as a map window of the picture's size would, with the
// settings' data, layers and mode and optionally trace 0 of a trace file, and writes it as a PNG:
// the whole flat world (or with --fit the region around the trace) in the largest rectangle of
// its own shape that fits the picture, centred; the globe ignores --fit. Needs no display.
int run_render(const std::vector<std::string>& args, const settings& values);

} // namespace hoplot
