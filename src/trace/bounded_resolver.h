#pragma once

#include <chrono>
#include <functional>

#include "geolocation/resolve_location.h"
#include "trace/trace_store.h"

namespace hoplot {

// A resolver for the thread that owns the store (rebuilding a route, reading a file), which
// must not hang on the network. A DNS LOC query, the only source that may wait on it, gets at
// most `patience`; once one has been late, the following hops do not wait at all until a query
// is answered again. A late hop is placed by the other sources meanwhile, and its query's answer
// is kept for the next time the hop is placed. Every answer is kept as long as the resolver
// lives; the queries still running when it goes are stopped and waited for.
// sources: the sources as they are at each hop.
trace_store::resolver bounded_resolver(std::chrono::milliseconds patience,
                                       std::function<location_sources()> sources);

} // namespace hoplot
