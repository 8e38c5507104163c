// The AS package's CSV files come from outside, and the table file on disk may be damaged: the
// input is read as CSV of both families and made into a table, whose every range must still be
// found at its ends; and the raw bytes are taken as a table, which must refuse or answer safely.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "geolocation/as_table.h"

namespace {

hoplot::ip_address address_of(hoplot::address_number number, hoplot::ip_family family) {
    hoplot::ip_address address;
    address.family = family;
    const std::size_t length = family == hoplot::ip_family::v4 ? 4 : 16;
    for (std::size_t i = 0; i < length; ++i)
        address.bytes[length - 1 - i] = static_cast<std::uint8_t>(number >> (8 * i));
    return address;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    using hoplot::ip_family;
    const auto four = hoplot::read_as_csv(text, ip_family::v4).ranges;
    const auto six = hoplot::read_as_csv(text, ip_family::v6).ranges;
    const std::string bytes = hoplot::build_as_table(four, six);
    const auto table = hoplot::as_table::over(bytes);
    if (!table) std::abort();
    for (const auto& [ranges, family] : {std::pair{&four, ip_family::v4}, {&six, ip_family::v6}})
        for (const hoplot::as_range& range : *ranges)
            if (!table->lookup(address_of(range.first, family)) ||
                !table->lookup(address_of(range.last, family)))
                std::abort();

    if (const auto raw = hoplot::as_table::over(text)) {
        for (const hoplot::address_number number :
             {hoplot::address_number{0}, hoplot::address_number{0x0A000001},
              ~hoplot::address_number{0}}) {
            raw->lookup(address_of(number, ip_family::v4));
            raw->lookup(address_of(number, ip_family::v6));
        }
    }
    return 0;
}
