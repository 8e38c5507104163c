#pragma once

#include <string>
#include <vector>

namespace hoplot {

// hoplot --report DEST [--json] [--save FILE.trc] [--window N]: one trace with the window's
// engine, printed line by line as the output window lists it (or as one JSON document).
// --window N keeps at most N probes in flight (default 29); a benchmarking aid.
int run_report(const std::vector<std::string>& args);

} // namespace hoplot
