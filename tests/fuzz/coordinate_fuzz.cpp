// Degree-minute coordinates come from cache and city files that anyone can edit.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "geolocation/location.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    hoplot::text_scanner in(std::string_view(reinterpret_cast<const char*>(data), size));
    while (!in.at_end()) {
        const std::size_t before = in.position();
        hoplot::entry_t entry;
        entry.latitude = hoplot::parse_coord(in);
        entry.longitude = hoplot::parse_coord(in);
        hoplot::location_text(entry);
        hoplot::to_map_units(entry);
        if (in.position() == before) in.read_char();
    }
    return 0;
}
