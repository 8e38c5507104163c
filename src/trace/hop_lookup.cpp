#include "trace/hop_lookup.h"

namespace hoplot {

forward_result system_hop_lookup::resolve_host(const std::string& name, address_family family,
                                               const std::stop_token& stop) {
    return hoplot::resolve_host(name, family, stop);
}

std::optional<std::string> system_hop_lookup::reverse_lookup(const std::string& address,
                                                             const std::stop_token& stop) {
    return hoplot::reverse_lookup(address, stop);
}

resolution system_hop_lookup::locate(std::string& host_name, const std::string& address,
                                     const location_sources& sources, const std::stop_token& stop) {
    return resolve_location(host_name, address, sources, stop);
}

} // namespace hoplot
