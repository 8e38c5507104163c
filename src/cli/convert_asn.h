#pragma once

#include <string>
#include <vector>

namespace hoplot {

inline constexpr const char* convert_asn_flag = "--convert-asn";

// --convert-asn IPV4.csv IPV6.csv OUT: the AS package's two CSV files into the table the program
// maps. Not in --help: hoplot-fetch-data calls it, so that the format is made by the program that
// reads it.
int run_convert_asn(const std::vector<std::string>& args);

} // namespace hoplot
