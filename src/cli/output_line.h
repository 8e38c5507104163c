#pragma once

#include <string>

#include "trace/hop_rec.h"

namespace hoplot {

// An output-window line as the command line prints it: name, address, location and time
// separated by tabs; a status or error line is its text and three empty fields.
std::string output_line(const std::string& text);
std::string output_line(const hop_rec& row);

} // namespace hoplot
