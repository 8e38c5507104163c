#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hoplot {

struct render_request {
    std::string output;
    bool globe = false;
    std::optional<std::string> trace_file;
    int width = 831;
    int height = 572;
};

// OUT.png [--globe] [--open FILE.trc] [--size WxH]; none when the arguments are not that.
std::optional<render_request> parse_render_arguments(const std::vector<std::string>& args);

// hoplot --render: draws the map as the window would, with the current settings' layers and
// optionally trace 0 of a trace file, and writes it as a PNG. Needs no display.
int run_render(const std::vector<std::string>& args);

} // namespace hoplot
