#include "geolocation/loc_position.h"

#include "base/blocking_call.h"
#include "geolocation/dns_loc.h"
#include "platform/names.h"

namespace hoplot {

std::optional<entry_t> get_loc(std::string& host_name, const std::string& address,
                               const std::stop_token& stop) {
    // The reverse look-up's name stays with the hop whatever the LOC query finds.
    if (host_name.empty())
        if (auto name = reverse_lookup(address, stop)) host_name = std::move(*name);
    if (host_name.empty()) return std::nullopt;

    const auto found = run_blocking_call<std::optional<loc_rec>>(
        [name = host_name]() -> std::optional<loc_rec> {
            loc_rec rec;
            if (!loc_lookup(name, rec) || rec.found != 1) return std::nullopt;
            return rec;
        },
        stop);
    if (!found || !*found) return std::nullopt;
    return entry_from_loc_rec(**found, address, host_name);
}

} // namespace hoplot
