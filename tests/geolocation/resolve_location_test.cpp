#include "geolocation/resolve_location.h"

#include "geo_test.h"

namespace hoplot {
namespace {

// Sources scripted by one letter each, in the order loc, cache, geoip, rules: 'y' answers with
// latitude 1, 2, 3 or 4, 'n' does not, '-' is switched off. They log the order they were asked in.
struct scripted_sources {
    std::string script;
    std::string asked;

    location_sources make() {
        location_sources s;
        const auto off = [this](int index) { return script[index] == '-'; };
        if (!off(0))
            s.loc = [this](std::string&, const std::string&, const std::stop_token&) {
                return answer("loc ", 0);
            };
        if (!off(1)) s.cache = [this](const std::string&) { return answer("cache ", 1); };
        if (!off(2)) s.geoip = [this](const std::string&) { return answer("geoip ", 2); };
        if (!off(3))
            s.rules = [this](std::string&, const std::string&) { return answer("rules ", 3); };
        return s;
    }
    std::optional<entry_t> answer(const char* name, int index) {
        asked += name;
        if (script[index] != 'y') return std::nullopt;
        return position(index + 1, "North", 0, "East");
    }
};

TEST(resolve_location, first_answering_source_wins_in_order) {
    const struct {
        const char* script;
        std::string name;
        location_source source;
        int kind;
        double latitude;
        std::string asked;
    } rows[] = {
        {"yyyy", "gw1.example.net", location_source::loc, 1, 1, "loc "},
        {"nyyy", "gw1.example.net", location_source::cache, 0, 2, "loc cache "},
        {"nnyy", "gw1.example.net", location_source::geoip, 0, 3, "loc cache geoip "},
        {"nnny", "gw1.example.net", location_source::rules, 0, 4, "loc cache geoip rules "},
        {"nnnn", "gw1.example.net", location_source::none, 0, 0, "loc cache geoip rules "},
        {"-n-y", "gw1.example.net", location_source::rules, 0, 4, "cache rules "},
        {"nnny", "", location_source::none, 0, 0, "loc cache geoip "}, // rules need a name
    };
    for (const auto& r : rows) {
        scripted_sources sources{r.script, ""};
        std::string name = r.name;
        const resolution result = resolve_location(name, "10.1.2.3", sources.make());
        EXPECT_EQ(result.source, r.source) << r.script;
        EXPECT_EQ(result.kind, r.kind) << r.script;
        EXPECT_EQ(sources.asked, r.asked) << r.script;
        if (r.source == location_source::none) {
            EXPECT_FALSE(result.location) << r.script;
            continue;
        }
        const entry_t expected = position(r.latitude, "North", 0, "East");
        EXPECT_EQ(result.location, location_text(expected)) << r.script;
        EXPECT_EQ(result.position, to_map_units(expected)) << r.script;
    }
}

// The LOC source's reverse look-up names the hop; the rules then place it by that name.
TEST(resolve_location, rules_place_a_hop_by_the_name_that_loc_found) {
    scripted_sources script{"nnny", ""};
    location_sources sources = script.make();
    std::string name;
    sources.loc = [](std::string& host_name, const std::string&,
                     const std::stop_token&) -> std::optional<entry_t> {
        host_name = "router.paris.example.fr";
        return std::nullopt;
    };
    sources.rules = [](std::string& host_name, const std::string&) -> std::optional<entry_t> {
        host_name[0] = '*';
        return position(48.85, "North", 2.35, "East");
    };
    const resolution result = resolve_location(name, "10.1.2.3", sources);
    EXPECT_EQ(result.source, location_source::rules);
    EXPECT_EQ(name, "*outer.paris.example.fr");
}

// Asked for, the sources after the one that placed the hop answer too, in order, without
// marking the name; they are not asked when nothing placed it.
TEST(resolve_location, later_answers_when_asked) {
    const struct {
        const char* script;
        bool asked_for;
        std::vector<location_source> later;
    } rows[] = {
        {"nyny", true, {location_source::rules}},
        {"yyyy", true, {location_source::cache, location_source::geoip, location_source::rules}},
        {"nyyy", false, {}},
        {"nnnn", true, {}},
    };
    for (const auto& r : rows) {
        scripted_sources script{r.script, ""};
        location_sources sources = script.make();
        sources.later_answers = r.asked_for;
        sources.rules = [&](std::string& host_name, const std::string&) -> std::optional<entry_t> {
            if (r.script[3] != 'y') return std::nullopt;
            host_name[0] = '*';
            return position(4, "South", 5, "West");
        };
        std::string name = "gw1.example.net";
        const resolution result = resolve_location(name, "10.1.2.3", sources);
        std::vector<location_source> later;
        for (const resolution& answer : result.later)
            later.push_back(answer.source);
        EXPECT_EQ(later, r.later) << r.script;
        EXPECT_EQ(name, "gw1.example.net") << r.script;
        if (!result.later.empty()) {
            EXPECT_EQ(result.later.back().lat_lon, (coordinates{-4, -5})) << r.script;
        }
    }
}

using app_sources_test = geo_test;

// Only exactly 1 turns DNS LOC on; any non-zero value turns GeoIP on.
TEST_F(app_sources_test, settings_choose_the_sources) {
    const struct {
        int rfc1876, use_geoip;
        bool loc, geoip;
    } rows[] = {
        {0, 0, false, false}, {1, 1, true, true}, {2, 1, false, true}, {-1, 0, false, false}};
    for (const auto& r : rows) {
        values.rfc1876 = r.rfc1876;
        values.use_geoip = r.use_geoip;
        const location_sources sources = app_location_sources(values);
        EXPECT_EQ(static_cast<bool>(sources.loc), r.loc) << r.rfc1876;
        EXPECT_EQ(static_cast<bool>(sources.geoip), r.geoip) << r.use_geoip;
        EXPECT_TRUE(sources.cache && sources.rules);
    }
}

} // namespace
} // namespace hoplot
