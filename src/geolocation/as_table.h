#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geolocation/as_csv.h"
#include "platform/ip_address.h"

namespace hoplot {

// The bytes of an AS table: the ranges of each family sorted and made disjoint, so that one
// binary search finds an address's range, and each distinct network named once. Where ranges
// overlap, the one that starts later wins: of two nested ranges, the inner one.
std::string build_as_table(std::vector<as_range> ranges4, std::vector<as_range> ranges6);

// A look-up in AS table bytes that someone else keeps (a mapped file): nothing is read at
// start but the header, so opening costs nothing however large the table.
class as_table {
  public:
    // None when the bytes are not a table of this format and version.
    static std::optional<as_table> over(std::string_view bytes);

    // The network of an address; none when no range holds it.
    std::optional<as_network> lookup(const ip_address& address) const;

    std::uint32_t range_count(ip_family family) const;

  private:
    struct ranges {
        std::uint32_t count = 0;
        std::size_t width = 0; // bytes of one address: 4 or 16
        const char* firsts = nullptr;
        const char* lasts = nullptr;
        const char* networks = nullptr;
    };

    std::optional<as_network> network_at(const ranges& family, std::size_t i) const;

    ranges v4_;
    ranges v6_;
    std::uint32_t network_count_ = 0;
    const char* networks_ = nullptr;
    std::string_view names_;
};

} // namespace hoplot
