#pragma once

#include <string>

namespace hoplot {

// "1.4.7"
std::string program_version();

// "Hoplot 1.4.7"
std::string program_title_with_version();

} // namespace hoplot
