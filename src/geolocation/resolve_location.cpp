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

namespace {

using answer = std::optional<std::pair<entry_t, location_source>>;

constexpr std::size_t pipeline_steps = 4;

// Step 0 to 3 of the pipeline: DNS LOC, the position cache, GeoIP, the host-name rules.
answer ask(std::size_t step, const location_sources& sources, std::string& host_name,
           const std::string& address, const std::stop_token& stop) {
    std::optional<entry_t> entry;
    location_source source = location_source::none;
    switch (step) {
    case 0:
        if (sources.loc) entry = sources.loc(host_name, address, stop);
        source = location_source::loc;
        break;
    case 1:
        if (sources.cache) entry = sources.cache(address);
        source = entry && entry->fix ? location_source::fix : location_source::cache;
        break;
    case 2:
        if (sources.geoip) entry = sources.geoip(address);
        source = location_source::geoip;
        break;
    default:
        if (sources.rules && !host_name.empty()) entry = sources.rules(host_name, address);
        source = location_source::rules;
        break;
    }
    if (!entry) return std::nullopt;
    return std::pair{std::move(*entry), source};
}

resolution placed_by(const entry_t& entry, location_source source) {
    resolution placed;
    placed.location = location_text(entry);
    placed.position = to_map_units(entry);
    placed.kind = source == location_source::loc ? 1 : 0;
    placed.source = source;
    placed.lat_lon = signed_coordinates(entry);
    placed.place = entry.place;
    return placed;
}

} // namespace

location_sources app_location_sources(const settings& values) {
    location_sources sources;
    if (values.rfc1876 == 1) sources.loc = get_loc;
    sources.cache = cache_lookup;
    if (values.use_geoip != 0) sources.geoip = geoip_source();
    sources.rules = org;
    sources.network = as_source();
    sources.later_answers = values.check_positions != 0;
    return sources;
}

resolution resolve_location(std::string& host_name, const std::string& address,
                            const location_sources& sources, const std::stop_token& stop) {
    resolution result;
    std::size_t step = 0;
    for (; step < pipeline_steps; ++step) {
        if (const auto found = ask(step, sources, host_name, address, stop)) {
            result = placed_by(found->first, found->second);
            break;
        }
    }
    if (sources.network) result.network = sources.network(address);
    if (!result.location || !sources.later_answers) return result;
    for (++step; step < pipeline_steps; ++step) {
        std::string name = host_name; // a later answer marks no name
        if (const auto found = ask(step, sources, name, address, stop))
            result.later.push_back(placed_by(found->first, found->second));
    }
    return result;
}

void load_location_sources(const settings& values, loading_progress& progress) {
    load_position_caches(values.db_path, progress);
    open_geoip_source(values);
    open_as_source(values.db_path);
}

} // namespace hoplot
