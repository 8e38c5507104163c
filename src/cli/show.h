#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "base/settings.h"

namespace hoplot {

// hoplot --show FILE.trc [--json]: reads the file into the store, placing and checking every hop
// anew, and prints each trace's name on a line of its own followed by its rows as output lines;
// or one JSON document, {"traces":[{"name":..., "lines":[...]}, ...]}, the lines as
// --report --json gives them.
int run_show(const std::vector<std::string>& args, const settings& values);

// The same for one file, placing and checking hops as the settings say, printing to out; 1 with
// "Can't read file %s" when it cannot be read.
int show_trace_file(const std::string& path, const settings& values, std::FILE* out,
                    bool json = false);

} // namespace hoplot
