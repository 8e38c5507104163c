#include "cli/locate.h"

#include <cstdio>

#include "geolocation/resolve_location.h"
#include "platform/ip_address.h"

namespace hoplot {

int run_locate(const std::vector<std::string>& args) {
    const auto address = args.empty() ? std::nullopt : parse_ip(args[0]);
    if (!address || args.size() > 2) {
        std::fprintf(stderr, "hoplot: --locate needs an IPv4 or IPv6 address and may take a host "
                             "name\n");
        return 2;
    }
    no_progress progress;
    load_location_sources(progress);

    std::string name = args.size() > 1 ? args[1] : std::string();
    // The pipeline sees the address as a trace writes it: dotted, or IPv6 in its short form.
    const resolution result = resolve_location(name, to_text(*address));
    if (result.location)
        std::printf("%s\t%d\t%d\t%d\t%s\t%s\n", result.location->c_str(), result.position.x,
                    result.position.y, result.kind, source_name(result.source), name.c_str());
    else
        std::printf("Unresolved\t\t\t%d\t%s\t%s\n", result.kind, source_name(result.source),
                    name.c_str());
    return 0;
}

} // namespace hoplot
