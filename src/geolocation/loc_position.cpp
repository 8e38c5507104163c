#include "geolocation/loc_position.h"

#include "geolocation/dns_loc.h"
#include "platform/names.h"

namespace hoplot {

std::optional<entry_t> get_loc(std::string& host_name, const std::string& address) {
    // The reverse look-up's name stays with the hop whatever the LOC query finds.
    if (host_name.empty())
        if (auto name = reverse_lookup(address)) host_name = std::move(*name);
    if (host_name.empty()) return std::nullopt;

    loc_rec rec;
    if (!loc_lookup(host_name, rec) || rec.found != 1) return std::nullopt;
    return entry_from_loc_rec(rec, address, host_name);
}

} // namespace hoplot
