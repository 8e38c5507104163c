#include "map/cities.h"


#include "base/text_scanner.h"
#include "base/whole_file.h"
#include "geolocation/location.h"

namespace hoplot {
namespace {

constexpr int steps_per_file = 9;

// Cut at a character boundary, so that a label never ends in half a UTF-8 sequence.
std::string limited_name(std::string name) {
    if (name.size() <= city_name_limit) return name;
    std::size_t end = city_name_limit;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    name.resize(end);
    return name;
}

CityRecord read_city(text_scanner& in, std::string name) {
    CityRecord city;
    city.name = limited_name(std::move(name));
    city.latitude = parse_coord(in);
    city.longitude = parse_coord(in);
    loc_rec place;
    place.latitude = city.latitude;
    place.longitude = city.longitude;
    const map_point position = to_map_units(entry_from_loc_rec(place, std::string(), city.name));
    city.x = position.x;
    city.y = position.y;
    in.read_line();
    return city;
}

} // namespace

std::vector<CityRecord> parse_cities(std::string_view text) {
    std::vector<CityRecord> cities;
    text_scanner in(text);
    while (auto name = in.read_word())
        cities.push_back(read_city(in, std::move(*name)));
    return cities;
}

int read_city_files(const std::string& db_path, int first, int last, city_lists& lists,
                    loading_progress& progress) {
    for (int level = first; level <= last; ++level) {
        const auto content = read_whole_file(db_path + "maps/cities.file." +
                                             std::to_string(level + 1));
        if (!content) return level - 1;
        lists[static_cast<std::size_t>(level)] = parse_cities(*content);
        for (int step = 0; step < steps_per_file; ++step)
            progress.advance();
    }
    return last;
}


} // namespace hoplot
