#pragma once

#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "base/loading_progress.h"
#include "base/settings.h"
#include "geolocation/as_csv.h"
#include "geolocation/location.h"

namespace hoplot {

// Where a hop's position came from; fix is an entry of the position cache that the user made.
enum class location_source { none, loc, cache, fix, geoip, rules };

// "none", "loc", "cache", "fix", "geoip", "rules"
const char* source_name(location_source source);

// The source in words, for a tooltip or an accessible description.
const char* source_description(location_source source);

struct resolution {
    std::optional<std::string> location; // the location text; absent when no source placed it
    map_point position;                  // valid only with a location
    int kind = 0;                        // 1 for a DNS LOC position, else 0
    location_source source = location_source::none;
    std::optional<as_network> network{}; // who runs the address, when the AS table knows
    coordinates lat_lon{};               // valid only with a location
    std::string place{};                 // the place's name, when the source gave one
    // What the sources after the one that placed the hop answer, in order, for the position
    // check to fall back on (only when asked for). Their networks and later answers stay empty.
    std::vector<resolution> later{};
};

// The sources of positions, asked in this order; an empty one is switched off.
struct location_sources {
    // DNS LOC record of the host name; may fill in the name of a nameless hop. Gives up with
    // none once stop is requested.
    std::function<std::optional<entry_t>(std::string& host_name, const std::string& address,
                                         const std::stop_token& stop)>
        loc;
    std::function<std::optional<entry_t>(const std::string& address)> cache;
    std::function<std::optional<entry_t>(const std::string& address)> geoip;
    // Host-name rules, asked only for a hop with a name; may mark the name with '*'.
    std::function<std::optional<entry_t>(std::string& host_name, const std::string& address)> rules;
    // Not a position: the network the address belongs to, asked for every hop.
    std::function<std::optional<as_network>(const std::string& address)> network;
    // Ask the sources after the first that answers too, for resolution::later. Host-name rules
    // asked for a later answer leave the name unmarked.
    bool later_answers = false;
};

// The program's sources as the settings choose them: DNS LOC only when "RFC 1876" is exactly 1,
// the process-wide position cache, the GeoIP database open now while "Use GeoIP" is on, the
// host-name rules; and the AS table; later answers while "Check Positions" is on. A snapshot: a
// trace keeps the sources it started with, whatever the settings or the open databases become
// meanwhile.
location_sources app_location_sources(const settings& values);

// Asks the sources in order for one hop and reports the first answer, with the hop's network.
// host_name may be filled in by the LOC source's reverse look-up or marked with '*' by the
// host-name rules. The LOC source, the only one that may wait on the network, is handed stop.
resolution resolve_location(std::string& host_name, const std::string& address,
                            const location_sources& sources, const std::stop_token& stop = {});

// Start-up: the three cache files of the data directory into the position cache, then the
// GeoIP database, as the settings say, and the AS table. The window and the command line both
// prepare the pipeline with this.
void load_location_sources(const settings& values, loading_progress& progress);

} // namespace hoplot
