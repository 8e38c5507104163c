#pragma once

#include <string>
#include <vector>

namespace hoplot {

struct settings;

// --locate ADDRESS [NAME] [--json]: one hop through the resolution pipeline with the current
// settings and data. Prints one tab-separated line: location text (or "Unresolved"), map x, map
// y (both empty when unresolved), kind, source, the host name as the pipeline left it, the AS
// number and the network's name (both empty when unknown); with --json, one object with the
// members --report --json gives a hop for these.
int run_locate(const std::vector<std::string>& args, const settings& values);

} // namespace hoplot
