// DNS answers come from whatever server the resolver asks.
#include <cstddef>
#include <cstdint>
#include <span>

#include "geolocation/dns_loc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> message(data, size);
    hoplot::loc_rec rec;
    hoplot::loc_decode(message, rec);
    if (rec.found == 1) hoplot::entry_from_loc_rec(rec, "10.1.2.3", rec.owner_name);
    if (size > 12) hoplot::expand_name(message, data[0] % size);
    return 0;
}
