// The three cache files are plain text that users edit by hand.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "geolocation/cache_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    hoplot::no_progress progress;
    hoplot::position_cache cache;
    hoplot::read_update_records(cache, text, progress);
    hoplot::read_hosts_records(cache, text, progress);
    hoplot::read_networks_records(cache, text, progress);
    for (const char* address : {"10.1.2.3", "0.0.0.0", "255.255.255.255", "1.2.3.4"}) {
        if (const auto entry = cache.lookup(address)) {
            hoplot::location_text(*entry);
            hoplot::to_map_units(*entry);
        }
    }
    return 0;
}
