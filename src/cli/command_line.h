#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hoplot {

// Runs the command-line mode named by the arguments (without the program name) and returns its
// exit status: 0 done, 1 the work failed, 2 bad usage. Returns none when there are no
// arguments, which means the window.
std::optional<int> run_command_line(const std::vector<std::string>& arguments);

std::string usage_text();

} // namespace hoplot
