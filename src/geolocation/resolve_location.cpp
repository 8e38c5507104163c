#include "geolocation/resolve_location.h"

#include "geolocation/as_source.h"
#include "geolocation/cache_files.h"
#include "geolocation/geoip_source.h"
#include "geolocation/host_name_rules.h"
#include "geolocation/loc_position.h"
#include "geolocation/position_cache.h"

namespace hoplot {

const char* source_name(location_source source) {
    switch (source) {
    case location_source::loc:
        return "loc";
    case location_source::cache:
        return "cache";
    case location_source::fix:
        return "fix";
    case location_source::geoip:
        return "geoip";
    case location_source::rules:
        return "rules";
    case location_source::none:
        break;
    }
    return "none";
}

const char* source_description(location_source source) {
    switch (source) {
    case location_source::loc:
        return "Placed by the DNS LOC record of its name";
    case location_source::cache:
        return "Placed by the position cache files (hosts.cache or networks.cache)";
    case location_source::fix:
        return "Placed where you fixed it by hand (update.cache)";
    case location_source::geoip:
        return "Placed by the GeoIP database";
    case location_source::rules:
        return "Placed by the rules that read a place out of its host name";
    case location_source::none:
        break;
    }
    return "Not placed by any source; drawn at the previous hop's position";
}

location_sources app_location_sources(const settings& values) {
    location_sources sources;
    if (values.rfc1876 == 1) sources.loc = get_loc;
    sources.cache = cache_lookup;
    if (values.use_geoip != 0) sources.geoip = geoip_source();
    sources.rules = org;
    sources.network = as_source();
    return sources;
}

resolution resolve_location(std::string& host_name, const std::string& address,
                            const location_sources& sources, const std::stop_token& stop) {
    std::optional<entry_t> entry;
    location_source source = location_source::none;
    if (sources.loc && (entry = sources.loc(host_name, address, stop)))
        source = location_source::loc;
    if (!entry && sources.cache && (entry = sources.cache(address)))
        source = entry->fix ? location_source::fix : location_source::cache;
    if (!entry && sources.geoip && (entry = sources.geoip(address)))
        source = location_source::geoip;
    if (!entry && sources.rules && !host_name.empty() &&
        (entry = sources.rules(host_name, address)))
        source = location_source::rules;

    resolution result;
    if (sources.network) result.network = sources.network(address);
    if (!entry) return result;
    result.location = location_text(*entry);
    result.position = to_map_units(*entry);
    result.kind = source == location_source::loc ? 1 : 0;
    result.source = source;
    return result;
}

void load_location_sources(const settings& values, loading_progress& progress) {
    load_position_caches(values.db_path, progress);
    open_geoip_source(values);
    open_as_source(values.db_path);
}

} // namespace hoplot
