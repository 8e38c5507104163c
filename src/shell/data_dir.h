#pragma once

#include <string>

namespace hoplot {

// The data directory with a trailing '/': share/hoplot/ beside an installed executable, else
// the source tree's data/ for a program run from its build tree. Empty when neither exists.
std::string find_data_dir();

// The same search from an explicit executable directory (for tests).
std::string find_data_dir_from(const std::string& executable_dir);

} // namespace hoplot
