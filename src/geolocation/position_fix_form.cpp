#include "geolocation/position_fix_form.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "geolocation/location.h"
#include "geolocation/position_cache.h"

namespace hoplot {
namespace {

std::string without_suffix(std::string word, std::string_view suffix) {
    if (word.size() >= suffix.size() &&
        word.compare(word.size() - suffix.size(), suffix.size(), suffix) == 0)
        word.resize(word.size() - suffix.size());
    return word;
}

} // namespace

bool can_fix_position(const std::string& address) {
    return is_host_key(address);
}

shown_position position_shown(const std::optional<std::string>& location) {
    shown_position shown;
    if (!location) return shown;
    std::istringstream words(*location);
    std::string latitude, latitude_word, longitude, longitude_word;
    const auto comma = location->find(',');
    if (!(words >> latitude >> latitude_word >> longitude >> longitude_word) ||
        comma == std::string::npos)
        return shown;
    shown.old_latitude = location->substr(0, comma);
    shown.old_longitude = location->substr(comma + 1);
    shown.latitude = without_suffix(latitude, degree_sign);
    shown.longitude = without_suffix(longitude, degree_sign);
    shown.north = latitude_word[0] == 'N';
    shown.east = longitude_word[0] == 'E';
    return shown;
}

bool coordinate_text_acceptable(std::string_view text, double limit) {
    int dots = 0;
    for (const char c : text) {
        if (c == '.')
            ++dots;
        else if (c < '0' || c > '9')
            return false;
    }
    return dots <= 1 && std::strtod(std::string(text).c_str(), nullptr) <= limit;
}

fix_coordinate city_coordinate(double degrees, const char* positive_word,
                               const char* negative_word) {
    // The small allowance keeps 12.6, held as 12.5999..., from being cut to 12.59.
    const double cut = std::trunc(std::fabs(degrees) * 100.0 + 1e-7) / 100.0;
    char text[32];
    std::snprintf(text, sizeof text, "%5.2f", cut);
    return {text, degrees < 0 ? negative_word : positive_word};
}

std::string fix_question(const position_fix& fix) {
    // A nameless hop is stored under its address, so it is asked about by that.
    const std::string& host = fix.host_name.empty() ? fix.address : fix.host_name;
    return "Are you sure you want to set " + host + " to " + fix.latitude_text + degree_sign + " " +
           fix.latitude_word + " " + fix.longitude_text + degree_sign + " " + fix.longitude_word +
           "?";
}

std::optional<coordinates> given_coordinates(const given_position& given) {
    const auto degrees = [](const fix_coordinate& c, double limit) -> std::optional<double> {
        if (c.text.empty() || !coordinate_text_acceptable(c.text, limit)) return std::nullopt;
        const double value = std::strtod(c.text.c_str(), nullptr);
        return c.word == "South" || c.word == "West" ? -value : value;
    };
    const auto latitude = degrees(given.latitude, latitude_limit);
    const auto longitude = degrees(given.longitude, longitude_limit);
    if (!latitude || !longitude) return std::nullopt;
    return coordinates{*latitude, *longitude};
}

std::optional<std::string> missing_in_position(const given_position& given) {
    if (given.latitude.text.empty()) return "Please enter the new latitude (0 to 90 degrees).";
    if (given.longitude.text.empty()) return "Please enter the new longitude (0 to 180 degrees).";
    return std::nullopt;
}

} // namespace hoplot
