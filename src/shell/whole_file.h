#pragma once

#include <optional>
#include <string>

namespace hoplot {

// The whole content of a file, read in one go and opened for reading only; nothing when it
// cannot be opened or read.
std::optional<std::string> read_whole_file(const std::string& path);

} // namespace hoplot
