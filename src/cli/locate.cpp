#include "cli/locate.h"

#include <arpa/inet.h>
#include <cstdio>

#include "geolocation/resolve_location.h"

namespace hoplot {

int run_locate(const std::vector<std::string>& args) {
    in_addr parsed{};
    if (args.empty() || args.size() > 2 || inet_pton(AF_INET, args[0].c_str(), &parsed) != 1) {
        std::fprintf(stderr, "hoplot: --locate needs a dotted IPv4 address and may take a host "
                             "name\n");
        return 2;
    }
    no_progress progress;
    load_location_sources(progress);

    std::string name = args.size() > 1 ? args[1] : std::string();
    const resolution result = resolve_location(name, args[0]);
    if (result.location)
        std::printf("%s\t%d\t%d\t%d\t%s\t%s\n", result.location->c_str(), result.position.x,
                    result.position.y, result.kind, source_name(result.source), name.c_str());
    else
        std::printf("Unresolved\t\t\t%d\t%s\t%s\n", result.kind, source_name(result.source),
                    name.c_str());
    return 0;
}

} // namespace hoplot
