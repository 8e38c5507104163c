#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geolocation/location.h"
#include "geolocation/resolve_location.h"

namespace hoplot {

// Whether a hop's position agrees with the time its answer took. Light in fibre covers about
// 200 km per millisecond, so a hop that answers in T ms lies at most 100 km x T from the prober;
// one millisecond more covers the timer and the time a router takes to answer.
double reach_km(double rtt_ms);

// Along the surface of a sphere of 6371 km.
double great_circle_km(coordinates a, coordinates b);

// GeoIP and the host-name rules guess; a LOC record, the cache files and a fix are someone's word.
bool weak_source(location_source source);

// Home Location's form, "48.85 2.35": latitude (-90 to 90) and longitude (-180 to 180) in
// decimal degrees, north and east positive. None when the text is empty or not that.
std::optional<coordinates> parse_home_location(std::string_view text);
std::string home_location_text(coordinates home);

struct placed_answer {
    coordinates where;
    location_source source = location_source::none;
};

// One hop as the check sees it.
struct hop_evidence {
    // The answer of the source that placed it, then those of later sources; none: unplaced.
    std::vector<placed_answer> answers;
    std::optional<double> rtt_ms; // the longest its round trip may have taken; none: unknown
};

struct position_verdict {
    std::optional<bool> plausible;      // none: nothing can be said
    std::size_t answer = 0;             // the answer to show; a later one stood in for the first
    bool ruled_out = false;             // the first answer failed: implausible, or stood in for
    std::optional<std::size_t> against; // the hop whose position ruled it out; none: the home
    double distance_km = 0.0;           // of the ruled-out answer from the home or that hop
    double bound_km = 0.0;              // the most that distance may be
    bool operator==(const position_verdict&) const = default;
};

// The verdict on every hop. With a home, a placed hop farther from it than its reach is
// implausible. Without one, two placed hops farther apart than their reaches together cannot
// both be right: the one with the weaker source is marked, between equals the one that
// contradicts more others, then the later one; a marked hop no longer counts against others.
// A fix is never marked. A ruled-out hop shows the first later answer that passes instead.
// Hops more than compare_span apart are not compared (a trace has at most 30 hops; a file
// may hold longer ones).
inline constexpr std::size_t compare_span = 64;
std::vector<position_verdict> check_positions(std::span<const hop_evidence> hops,
                                              const std::optional<coordinates>& home);

} // namespace hoplot
