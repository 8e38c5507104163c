#pragma once

#include <string>
#include <vector>

namespace hoplot {

// --locate ADDRESS [NAME] [--json]: one hop through the resolution pipeline with the current
// settings and data. Prints one tab-separated line: location text (or "Unresolved"), map x, map
// y (both empty when unresolved), kind, source, and the host name as the pipeline left it; with
// --json, one object with the fields --report --json gives a hop.
int run_locate(const std::vector<std::string>& args);

} // namespace hoplot
