#include "geolocation/location.h"

#include <arpa/inet.h>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>

namespace hoplot {
namespace {

constexpr double units_per_degree_x = 65536 / 360.0;
constexpr double units_per_degree_y = 65536 / 180.0;

bool is_negative_letter(char c) {
    const int lower = std::tolower(static_cast<unsigned char>(c));
    return lower == 's' || lower == 'w';
}

bool is_positive_letter(char c) {
    const int lower = std::tolower(static_cast<unsigned char>(c));
    return lower == 'n' || lower == 'e';
}

// scanf("%d %d%c"): stops at the first conversion that fails, leaving the rest at zero.
void read_degrees_minutes(text_scanner& in, int& degrees, int& minutes, char& letter) {
    const auto d = in.read_int();
    if (!d) return;
    degrees = *d;
    const auto m = in.read_int();
    if (!m) return;
    minutes = *m;
    letter = in.read_char().value_or('\0');
}

// Truncation toward zero, saturating so that a malformed position cannot overflow.
int to_grid(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

// snprintf into a string sized by a first pass, so any number fits.
std::string format_coordinate(double value) {
    const int length = std::snprintf(nullptr, 0, "%8.2f", value);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%8.2f", value);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

std::unique_ptr<loc_rec> new_loc_rec() {
    return std::make_unique<loc_rec>();
}

std::array<std::int32_t, 4> address_numbers(const std::string& dotted) {
    in_addr parsed{};
    if (inet_aton(dotted.c_str(), &parsed) == 0) return {};
    const auto bytes = reinterpret_cast<const unsigned char*>(&parsed.s_addr);
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

entry_t entry_from_loc_rec(const loc_rec& rec, const std::string& address,
                           const std::string& name) {
    entry_t entry;
    entry.address = address_numbers(address);
    entry.parts = 4;
    entry.name = name;
    entry.latitude = rec.latitude >= 0 ? rec.latitude : -rec.latitude;
    entry.latitude_word = rec.latitude >= 0 ? "North" : "South";
    entry.longitude = rec.longitude >= 0 ? rec.longitude : -rec.longitude;
    entry.longitude_word = rec.longitude >= 0 ? "East" : "West";
    return entry;
}

double parse_coord(text_scanner& in) {
    int degrees = 0;
    int minutes = 0;
    char letter = '\0';
    read_degrees_minutes(in, degrees, minutes, letter);
    double value = degrees + minutes / 60.0;
    if (is_negative_letter(letter)) return -value;
    if (is_positive_letter(letter)) return value;

    // The character after the minutes was the blank before the seconds.
    int seconds = 0;
    letter = '\0';
    if (const auto s = in.read_int()) {
        seconds = *s;
        letter = in.read_char().value_or('\0');
    }
    value += seconds / 3600.0;
    return is_negative_letter(letter) ? -value : value;
}

coordinates signed_coordinates(const entry_t& entry) {
    return {entry.is_south() ? -entry.latitude : entry.latitude,
            entry.is_west() ? -entry.longitude : entry.longitude};
}

map_point to_map_units(const entry_t& entry) {
    return to_map_units(signed_coordinates(entry));
}

map_point to_map_units(coordinates position) {
    return {to_grid(units_per_degree_x * (position.longitude + 180) + 0.5),
            to_grid(units_per_degree_y * (90 - position.latitude) + 0.5)};
}

std::string location_text(const entry_t& entry) {
    return format_coordinate(entry.latitude) + degree_sign + " " + entry.latitude_word + ", " +
           format_coordinate(entry.longitude) + degree_sign + " " + entry.longitude_word;
}

} // namespace hoplot
