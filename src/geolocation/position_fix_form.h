#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "geolocation/cache_files.h"
#include "geolocation/location.h"

namespace hoplot {

// The decisions of the dialog in which the user fixes one hop's position, kept apart from the
// widgets.

// Only a hop with a host address can be fixed; status lines ("Done", "Timed out. Retrying... ",
// errors) have none.
bool can_fix_position(const std::string& address);

// What the dialog shows of the hop's current position, from its location text
// ("   37.77° North,  122.42° West" or "Unresolved").
struct shown_position {
    std::string old_latitude = "Unresolved"; // the text before the comma, blanks and all
    std::string old_longitude = "Unresolved";
    std::string latitude = "0.00"; // the numbers alone, for the edits
    std::string longitude = "0.00";
    bool north = true;
    bool east = true;
};
shown_position position_shown(const std::optional<std::string>& location);

inline constexpr double latitude_limit = 90.0;
inline constexpr double longitude_limit = 180.0;

// A coordinate as it is being typed: digits with at most one '.', and a value from 0 to limit.
// An empty text passes, so that the user can clear the field and type anew.
bool coordinate_text_acceptable(std::string_view text, double limit);

// One coordinate of a city as the fix gives it: the absolute value cut (not rounded) to
// hundredths, "%5.2f", and its word.
struct fix_coordinate {
    std::string text;
    std::string word;
};
fix_coordinate city_coordinate(double degrees, const char* positive_word,
                               const char* negative_word);

// A position as the user gave it: each coordinate's text and its word.
struct given_position {
    fix_coordinate latitude;
    fix_coordinate longitude;
};

// Its signed degrees; none when a text is not a number within its limit.
std::optional<coordinates> given_coordinates(const given_position& given);

// "Are you sure you want to set gw1 to 37.77° North 122.42° West?"; the address stands in for
// a missing host name, as it does in update.cache.
std::string fix_question(const position_fix& fix);

// What the user still has to give before the position can be used; none when it is complete.
std::optional<std::string> missing_in_position(const given_position& given);

} // namespace hoplot
