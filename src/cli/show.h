#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "geolocation/resolve_location.h"

namespace hoplot {

// hoplot --show FILE.trc: reads the file into the store, placing every hop anew, and prints each
// trace's name on a line of its own followed by its rows as output lines.
int run_show(const std::vector<std::string>& args, const settings& values);

// The same for one file, placing hops with the given sources and printing to out; 1 with
// "Can't read file %s" when it cannot be read.
int show_trace_file(const std::string& path, const location_sources& sources, std::FILE* out);

} // namespace hoplot
