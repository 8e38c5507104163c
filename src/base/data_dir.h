#pragma once

#include <string>

namespace hoplot {

// The data directory with a trailing '/': share/hoplot/ beside an installed executable, else
// the source tree's data/ for a program run from its build tree. Empty when neither exists.
std::string find_data_dir();

// The same search from an explicit executable directory (for tests).
std::string find_data_dir_from(const std::string& executable_dir);

// The user's own data directory with a trailing '/' ($XDG_DATA_HOME/Varn Software/Hoplot/, the
// window's application-data location), for files the user makes when the data directory is
// read-only. It may not exist yet.
std::string user_data_dir();

} // namespace hoplot
