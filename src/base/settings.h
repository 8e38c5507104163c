#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace hoplot {

// The choices and window sizes kept between runs, read once at start and written once at
// exit. The start-up hands them down as values: the window owns the ones it writes.
struct settings {
    std::int32_t main_window_width = 0;
    std::int32_t main_window_height = 0;
    std::array<std::int32_t, 5> output{}; // column widths of the trace output list
    std::int32_t rfc1876 = 0;             // exactly 1: positions may come from DNS LOC records
    std::int32_t globe_mode = 0;
    std::int32_t display_cities = 0;
    std::int32_t display_coastlines = 0;
    std::int32_t display_boundaries = 0;
    std::int32_t display_rivers = 0;
    std::string db_path;        // data directory, always ending in '/'
    std::string geoip_database; // empty: the first existing default database
    std::int32_t use_geoip = 0;
    std::int32_t address_family = 0;  // a name with both kinds of address: 0 as the system
                                      // prefers, 4 over IPv4, 6 over IPv6
    std::string home_location;        // "LATITUDE LONGITUDE" in signed degrees; empty: none
    std::int32_t check_positions = 1; // non-zero: a later source may stand in for a position
                                      // that the round trip rules out
};

struct screen_size {
    std::int32_t width = 1024;
    std::int32_t height = 768;
};

// Reads every value in the documented order. A missing value, or one that is not a 32-bit
// number, is replaced by its default, which is also stored. DBPath defaults to data_dir and is
// not stored, so that a moved installation keeps finding its data. Without a screen (the command
// line) the window's sizes and column widths take stand-in defaults that are not stored: the
// window works them out from its screen when they are missing.
settings read_settings(std::optional<screen_size> screen, const std::string& data_dir);

// The file the settings are kept in.
std::string settings_file();

// Writes the values that change while the program runs; DBPath is never written.
void write_settings(const settings& values);

} // namespace hoplot
