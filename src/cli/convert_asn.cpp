#include "cli/convert_asn.h"

#include <cstdio>

#include "geolocation/as_source.h"

namespace hoplot {

int run_convert_asn(const std::vector<std::string>& args) {
    if (args.size() != 3) {
        std::fprintf(stderr, "Usage: hoplot %s IPV4.csv IPV6.csv OUT\n", convert_asn_flag);
        return 2;
    }
    const std::string failure = convert_as_files(args[0], args[1], args[2]);
    if (failure.empty()) return 0;
    std::fprintf(stderr, "hoplot: %s\n", failure.c_str());
    return 1;
}

} // namespace hoplot
