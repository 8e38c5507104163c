#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace hoplot {

// The whole content of a regular file, read in one go and opened for reading only; nothing when
// it cannot be opened or read, when it is no regular file (never waiting on a FIFO), or when it
// is larger than max_size.
std::optional<std::string> read_whole_file(const std::string& path,
                                           std::size_t max_size = std::string::npos);

} // namespace hoplot
