#include "trace/hop_lookup.h"

namespace hoplot {

forward_result system_hop_lookup::resolve_host(const std::string& name, address_family family) {
    return hoplot::resolve_host(name, family);
}

std::optional<std::string> system_hop_lookup::reverse_lookup(const std::string& address) {
    return hoplot::reverse_lookup(address);
}

resolution system_hop_lookup::locate(std::string& host_name, const std::string& address,
                                     const location_sources& sources) {
    return resolve_location(host_name, address, sources);
}

} // namespace hoplot
