#pragma once

#include <string>
#include <vector>

namespace hoplot {

struct settings;

// hoplot --report DEST [-4 | -6] [--json] [--save FILE.trc] [--window N]: one trace with the
// window's engine, printed line by line as the output window lists it (or as one JSON document).
// -4 and -6 trace a name with both kinds of address over IPv4 or IPv6.
// --window N keeps at most N probes in flight (default 29); a benchmarking aid.
int run_report(const std::vector<std::string>& args, const settings& values);

} // namespace hoplot
