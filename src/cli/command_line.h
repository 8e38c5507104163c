#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hoplot {

// Runs the command-line mode named by the arguments (without the program name) and returns its
// exit status: 0 done, 1 the work failed, 2 bad usage. Returns none for the window (no
// arguments, or a destination or trace file to start with) and for the modes that draw: both run in
// the viewer program, hoplot-view, so that the tracing and look-up modes start without loading Qt's
// GUI libraries.
std::optional<int> run_command_line(const std::vector<std::string>& arguments);

std::string usage_text();

} // namespace hoplot
