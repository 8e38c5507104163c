#include "geolocation/host_name_tables.h"

#include <array>

namespace hoplot {
namespace {

constexpr domain_rule country(std::string_view domain, double latitude, double longitude) {
    return {domain, coordinates{latitude, longitude}, std::nullopt};
}

// A country's hosts are placed at its capital or main city. ".gt" and ".np" are listed twice;
// ".com" and ".edu" name no place.
// clang-format off
constexpr auto domain_table = std::to_array<domain_rule>({
    {".com", std::nullopt, std::nullopt},
    {".org", coordinates{40.94, -73.72}, std::nullopt},
    {".net", std::nullopt, place_variant::network},
    {".edu", std::nullopt, std::nullopt},
    {".gov", coordinates{39.2, -76.85}, place_variant::us},
    {".mil", coordinates{39.2, -76.85}, place_variant::us},
    country(".af", 34.53, 69.17), country(".al", 41.0, 20.0), country(".dz", 37.0, 7.0),
    country(".as", -14.28, -170.7), country(".ao", -12.5, 15.0), country(".ai", 18.22, -63.07),
    country(".aq", -65.0, -110.0), country(".ag", 16.5, -62.0), country(".ar", -34.6, -58.38),
    country(".am", 40.37, 44.74), country(".aw", 12.5, -69.97), country(".au", -33.7, 151.4),
    country(".at", 48.2, 16.5), country(".az", 40.24, 48.04), country(".bs", 25.5, -77.0),
    country(".bh", 26.2, 50.57), country(".bd", 23.95, 90.0), country(".bb", 13.5, -59.0),
    country(".by", 53.56, 27.9), country(".be", 50.0, 4.5), country(".bz", 17.38, -88.56),
    country(".bj", 8.46, 2.31), country(".bm", 33.5, -65.0), country(".bt", 27.48, 89.6),
    country(".bo", -18.0, -65.8), country(".ba", 44.21, 17.72), country(".bw", -22.1, 22.5),
    country(".br", -15.6, -47.5), country(".bn", 4.9, 114.94), country(".bg", 42.9, 25.4),
    country(".bi", -3.27, 29.9), country(".kh", 12.9, 105.8), country(".cm", 3.87, 11.52),
    country(".ca", 45.7, -73.55), country(".ky", 19.6, -82.0), country(".cf", 4.36, 18.56),
    country(".td", 15.18, 18.1), country(".cl", -33.45, -70.67), country(".cn", 39.8, 117.02),
    country(".cc", -12.19, 96.83), country(".co", 5.0, -73.0), country(".cg", -4.27, 15.28),
    country(".cd", -4.32, 15.31), country(".cr", 10.6, -84.0), country(".hr", 45.81, 15.98),
    country(".cu", 23.0, -82.1), country(".cy", 35.17, 33.36), country(".cz", 50.1, 12.5),
    country(".dk", 55.9, 12.0), country(".dm", 15.3, -61.39), country(".do", 18.6, -70.0),
    country(".tp", -8.18, 127.2), country(".ec", -0.18, -78.47), country(".eg", 30.2, 31.4),
    country(".sv", 14.37, -89.4), country(".ee", 59.44, 24.75), country(".et", 8.75, 40.1),
    country(".fk", -51.7, -57.85), country(".fj", -18.5, 178.95), country(".fi", 60.0, 24.1),
    country(".fr", 49.1, 2.1), country(".fx", 49.1, 2.1), country(".gf", 5.0, -53.53),
    country(".ga", 0.1, 10.1), country(".de", 52.4, 13.1), country(".gh", 5.6, -0.19),
    country(".gi", 36.12, -5.35), country(".gr", 38.0, 23.44), country(".gl", 64.18, -51.72),
    country(".gd", 12.15, -61.66), country(".gp", 16.2, -61.58), country(".gu", 13.47, 144.75),
    country(".gt", 14.8, -90.71), country(".gn", 9.64, -13.58), country(".gw", 11.86, -15.6),
    country(".gy", 7.1, -60.1), country(".ht", 19.0, -72.5), country(".va", 42.1, 12.5),
    country(".hn", 14.07, -87.19), country(".hk", 22.32, 114.17), country(".hu", 47.0, 19.0),
    country(".is", 64.5, -21.4), country(".in", 19.0, 73.0), country(".id", -6.4, 106.7),
    country(".ir", 35.1, 53.5), country(".iq", 33.31, 44.36), country(".ie", 54.0, -6.0),
    country(".il", 31.6, 35.2), country(".it", 42.1, 12.5), country(".jm", 18.02, -76.9),
    country(".jp", 35.5, 139.8), country(".jo", 31.1, 35.5), country(".kz", 51.17, 71.45),
    country(".ke", -2.9, 38.33), country(".kp", 39.03, 125.75), country(".kr", 37.5, 126.9),
    country(".kw", 29.38, 47.99), country(".lv", 57.0, 24.53), country(".lb", 33.89, 35.5),
    country(".lr", 6.3, -10.8), country(".ly", 31.4, 13.53), country(".li", 47.1, 9.53),
    country(".lt", 55.4, 23.53), country(".lu", 49.5, 6.1), country(".mo", 22.1, 113.5),
    country(".mk", 42.0, 21.43), country(".mg", -21.18, 47.1), country(".mw", -14.15, 34.5),
    country(".my", 2.95, 102.0), country(".mv", 4.18, 73.51), country(".ml", 12.64, -8.0),
    country(".mt", 35.9, 14.51), country(".mh", 8.18, 170.1), country(".mr", 18.08, -15.98),
    country(".mu", -20.16, 57.5), country(".yt", -12.05, 45.05), country(".mx", 19.2, -99.1),
    country(".fm", 6.92, 158.16), country(".mc", 43.74, 7.42), country(".mn", 47.89, 106.91),
    country(".ms", 16.7, -62.19), country(".ma", 33.9, -7.9), country(".mz", -25.97, 32.57),
    country(".na", -22.56, 17.08), country(".nr", -0.5, 166.51), country(".np", 27.72, 85.32),
    country(".nl", 52.35, 4.8), country(".nc", -22.05, 166.05), country(".nz", -37.4, 175.1),
    country(".ni", 12.05, -86.05), country(".ne", 13.52, 2.11), country(".ng", 6.52, 3.38),
    country(".nu", -19.87, -170.0), country(".nf", -29.52, 168.11), country(".np", 27.72, 85.32),
    country(".no", 60.0, 10.5), country(".om", 23.59, 58.41), country(".pk", 31.6, 74.4),
    country(".pa", 9.1, -79.1), country(".pg", -9.7, 147.5), country(".py", -25.52, -56.31),
    country(".pe", -12.9, -76.39), country(".ph", 14.6, 121.05), country(".pn", -25.07, -130.1),
    country(".pl", 52.0, 21.1), country(".pt", 39.0, -9.0), country(".pr", 18.47, -66.11),
    country(".qa", 25.4, 51.53), country(".ro", 44.5, 26.1), country(".ru", 56.0, 38.0),
    country(".rw", -2.27, 29.9), country(".lc", 13.8, -60.91), country(".ws", -13.83, -171.76),
    country(".sm", 43.94, 12.48), country(".sa", 24.0, 46.0), country(".sc", -4.62, 55.45),
    country(".sl", 8.44, -12.02), country(".sg", 1.35, 103.82), country(".sk", 48.15, 17.11),
    country(".si", 46.018, 14.86), country(".sb", -9.44, 159.99), country(".so", 2.08, 45.5),
    country(".za", -34.1, 18.6), country(".es", 40.5, -3.9), country(".lk", 7.04, 80.0),
    country(".sd", 15.04, 30.0), country(".sr", 5.9, -56.07), country(".sz", -26.55, 31.4),
    country(".se", 59.1, 18.0), country(".ch", 46.95, 7.45), country(".sy", 34.85, 37.02),
    country(".tw", 24.0, 120.02), country(".tj", 38.87, 69.58), country(".tz", -5.9, 36.13),
    country(".th", 13.9, 100.8), country(".tg", 8.06, 1.13), country(".tk", -9.08, -171.73),
    country(".to", -21.08, -175.73), country(".tt", 10.53, -61.25), country(".tn", 35.5, 9.9),
    country(".tr", 39.08, 34.43), country(".tm", 38.53, 58.93), country(".tc", 21.47, -71.13),
    country(".ug", 0.69, 32.58), country(".ua", 49.07, 30.15), country(".ae", 24.34, 55.0),
    country(".gb", 51.5, 0.2),
    {".us", coordinates{39.2, -76.85}, place_variant::us},
    country(".uk", 51.5, 0.2),
    country(".um", 17.93, -64.84), country(".uy", -33.48, -56.15), country(".uz", 40.62, 67.56),
    country(".vu", -17.74, 168.32), country(".ve", 9.42, -67.55), country(".vn", 10.82, 106.63),
    country(".eh", 25.91, -13.58), country(".ye", 15.37, 44.19), country(".yu", 45.18, 21.1),
    country(".zm", -15.18, 30.2), country(".zw", -17.83, 31.05), country(".gt", 14.8, -90.71),
});
// clang-format on

// The first rows are United States states and cities, the last few world cities.
constexpr std::size_t us_place_rows = 54;

const std::vector<place_rule>& place_table() {
    static const std::vector<place_rule> table = {
        {{".CA", "FRANCISCO", ".SF", "ALTO"}, {37.46, -122.4}},
        {{".LA", "ANGELES"}, {33.9, -118.2}},
        {{".NY", "YORK"}, {40.94, -73.72}},
        {{".MA.", "BOSTON", "CAMBRIDGE"}, {42.34, -71.02}},
        {{".IL", "CHICAGO"}, {42.0, -87.85}},
        {{".SEA", ".WA."}, {47.94, -122.02}},
        {{".DC", "WASH"}, {39.2, -76.85}},
        {{".TX", "HOUSTON"}, {29.93, -95.5}},
        {{".MD."}, {38.97, -76.5}},
        {{".VA."}, {37.9, -77.7}},
        {{".LA.", "BATONROUGE"}, {30.44, -91.12}},
        {{".AK."}, {58.388, -134.133}},
        {{".AL."}, {32.354, -86.28}},
        {{".AR."}, {34.722, -92.35}},
        {{".HI."}, {21.31, -157.86}},
        {{".IA."}, {41.57, -93.62}},
        {{".ID."}, {43.6, -116.23}},
        {{".IL."}, {39.78, -89.64}},
        {{".IN."}, {39.77, -86.15}},
        {{".KS."}, {39.04, -95.69}},
        {{".KY."}, {38.19, -84.86}},
        {{".WA."}, {47.94, -122.02}},
        {{".ME."}, {44.33, -69.73}},
        {{".MI."}, {42.09, -84.55}},
        {{".MN."}, {44.83, -92.99}},
        {{".MO."}, {38.57, -92.19}},
        {{".MS."}, {32.32, -90.2}},
        {{".MT."}, {46.59, -112.02}},
        {{".NC."}, {35.82, -78.65}},
        {{".ND."}, {46.8, -100.76}},
        {{".NE."}, {40.81, -96.68}},
        {{".NH."}, {43.23, -71.56}},
        {{".NJ."}, {40.22, -74.76}},
        {{".NM."}, {35.67, -105.95}},
        {{".NV."}, {39.14, -119.74}},
        {{".OK."}, {35.46, -97.51}},
        {{".OR."}, {44.92, -123.02}},
        {{".RI."}, {41.82, -71.41}},
        {{".SC."}, {34.0, -81.03}},
        {{".SD."}, {44.37, -100.32}},
        {{".TN."}, {36.17, -86.78}},
        {{".UT."}, {40.77, -111.92}},
        {{".VT."}, {44.26, -72.57}},
        {{".WI."}, {43.04, -89.4}},
        {{".WV."}, {38.35, -81.63}},
        {{".WY."}, {41.14, -104.79}},
        {{"SPRINGFIELD"}, {39.78, -89.64}},
        {{"DALLAS"}, {32.93, -96.9}},
        {{".CO."}, {39.76, -104.8}},
        {{".AZ"}, {33.542, -112.07}},
        {{".OH", "COLUMBUS"}, {39.99, -82.99}},
        {{".CT", "HARTFORD"}, {41.76, -72.68}},
        {{".FL", "MIAMI"}, {30.46, -84.28}},
        {{".GA", "ATLANTA", "ATL"}, {33.27, -84.42}},
        {{"LONDON", ".UK"}, {51.5, 0.2}},
        {{"PARIS"}, {49.1, 2.1}},
        {{"AMSTERDAM"}, {52.35, 4.8}},
        {{"TOKYO"}, {35.5, 139.8}},
        {{"SYDNEY"}, {-33.7, 151.4}},
    };
    return table;
}

} // namespace

std::span<const domain_rule> domain_rules() {
    return domain_table;
}

std::span<const place_rule> place_rules(place_variant variant) {
    const std::span<const place_rule> all = place_table();
    return variant == place_variant::us ? all.first(us_place_rows) : all;
}

} // namespace hoplot
