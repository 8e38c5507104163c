#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "base/text_scanner.h"

namespace hoplot {

// A place on Earth in signed degrees.
struct coordinates {
    double latitude = 0.0;  // north positive
    double longitude = 0.0; // east positive
    bool operator==(const coordinates&) const = default;
};

// One position, for a single host (4 parts) or a network prefix (1 to 3 parts). The sign
// lives only in the words: latitude and longitude are absolute values.
struct entry_t {
    std::array<std::int32_t, 4> address{};
    std::uint8_t parts = 4;
    std::string name;
    double longitude = 0.0;
    double latitude = 0.0;
    std::string latitude_word = "North"; // "North" or "South"
    std::string longitude_word = "East"; // "East" or "West"
    bool fix = false;                    // fixed by the user (update.cache), not a shipped file
    std::string place;                   // the place's name where the source knows it (GeoIP)

    bool is_south() const { return !latitude_word.empty() && latitude_word[0] == 'S'; }
    bool is_west() const { return !longitude_word.empty() && longitude_word[0] == 'W'; }
};

// The result of one LOC lookup or one run of the host-name rules.
struct loc_rec {
    std::int32_t version = 0;
    std::uint32_t ttl = 0;
    std::int32_t found = 0; // 0 nothing decoded, 1 a LOC record decoded, 2 no LOC record
    double size = 0.0;
    double horizontal_precision = 0.0;
    double vertical_precision = 0.0;
    double latitude = 0.0;  // signed, north positive
    double longitude = 0.0; // signed, east positive
    double altitude = 0.0;
    std::string owner_name;
};

std::unique_ptr<loc_rec> new_loc_rec();

// A position on the 65536 by 65536 map grid: x eastward from 180° W, y southward from 90° N.
struct map_point {
    int x = 0;
    int y = 0;
    bool operator==(const map_point&) const = default;
};

// The dotted numbers of an IPv4 address, first octet first; all zero when it does not convert.
std::array<std::int32_t, 4> address_numbers(const std::string& dotted);

// The entry for a hop from a signed loc_rec position (LOC records and host-name rules).
entry_t entry_from_loc_rec(const loc_rec& rec, const std::string& address, const std::string& name);

// Reads one coordinate in degree-minute notation ("37 46N", "37 46 30N") and returns signed
// degrees, north and east positive. Numbers that fail to read count as 0.
double parse_coord(text_scanner& in);

// The entry's position with the sign taken from its words.
coordinates signed_coordinates(const entry_t& entry);

map_point to_map_units(const entry_t& entry);
map_point to_map_units(coordinates position);

// "%8.2f° %s, %8.2f° %s": latitude, its word, longitude, its word.
std::string location_text(const entry_t& entry);

// The degree sign used in location texts.
inline constexpr const char* degree_sign = "\u00B0";

} // namespace hoplot
