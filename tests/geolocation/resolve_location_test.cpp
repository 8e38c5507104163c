#include "geolocation/resolve_location.h"

#include <gtest/gtest.h>
#include <vector>

#include "shell/settings.h"

namespace hoplot {
namespace {

entry_t place(double latitude, const char* latitude_word, double longitude,
              const char* longitude_word) {
    entry_t entry;
    entry.latitude = latitude;
    entry.latitude_word = latitude_word;
    entry.longitude = longitude;
    entry.longitude_word = longitude_word;
    return entry;
}

// Sources that answer with distinct positions (latitude 1 to 4) when told to, and log the order
// in which they were asked.
struct scripted_sources {
    bool loc = false, cache = false, geoip = false, rules = false;
    std::vector<std::string> asked;

    location_sources make() {
        location_sources s;
        s.loc = [this](std::string&, const std::string&) { return answer("loc", loc, 1); };
        s.cache = [this](const std::string&) { return answer("cache", cache, 2); };
        s.geoip = [this](const std::string&) { return answer("geoip", geoip, 3); };
        s.rules = [this](std::string&, const std::string&) { return answer("rules", rules, 4); };
        return s;
    }

  private:
    std::optional<entry_t> answer(const char* name, bool answers, double latitude) {
        asked.push_back(name);
        if (!answers) return std::nullopt;
        return place(latitude, "North", 0, "East");
    }
};

TEST(resolve_location, first_answering_source_wins_in_order) {
    struct row {
        bool loc, cache, geoip, rules;
        location_source source;
        int kind;
        double latitude;
        std::vector<std::string> asked;
    };
    const std::vector<row> rows = {
        {true, true, true, true, location_source::loc, 1, 1, {"loc"}},
        {false, true, true, true, location_source::cache, 0, 2, {"loc", "cache"}},
        {false, false, true, true, location_source::geoip, 0, 3, {"loc", "cache", "geoip"}},
        {false,
         false,
         false,
         true,
         location_source::rules,
         0,
         4,
         {"loc", "cache", "geoip", "rules"}},
        {false,
         false,
         false,
         false,
         location_source::none,
         0,
         0,
         {"loc", "cache", "geoip", "rules"}},
    };
    for (const row& r : rows) {
        scripted_sources script{r.loc, r.cache, r.geoip, r.rules, {}};
        std::string name = "gw1.example.net";
        const resolution result = resolve_location(name, "10.1.2.3", script.make());
        EXPECT_EQ(result.source, r.source) << source_name(r.source);
        EXPECT_EQ(result.kind, r.kind) << source_name(r.source);
        EXPECT_EQ(script.asked, r.asked) << source_name(r.source);
        if (r.source == location_source::none) {
            EXPECT_FALSE(result.location);
            continue;
        }
        ASSERT_TRUE(result.location);
        EXPECT_EQ(*result.location, location_text(place(r.latitude, "North", 0, "East")));
        EXPECT_EQ(result.position, to_map_units(place(r.latitude, "North", 0, "East")));
    }
}

TEST(resolve_location, switched_off_sources_are_not_asked) {
    scripted_sources script{true, false, true, true, {}};
    location_sources sources = script.make();
    sources.loc = nullptr;
    sources.geoip = nullptr;
    std::string name = "gw1";
    const resolution result = resolve_location(name, "10.1.2.3", sources);
    EXPECT_EQ(result.source, location_source::rules);
    EXPECT_EQ(script.asked, (std::vector<std::string>{"cache", "rules"}));
}

TEST(resolve_location, rules_only_for_a_hop_with_a_name_possibly_found_by_loc) {
    scripted_sources script{false, false, false, true, {}};
    location_sources sources = script.make();
    std::string name;
    EXPECT_EQ(resolve_location(name, "10.1.2.3", sources).source, location_source::none);
    EXPECT_EQ(script.asked, (std::vector<std::string>{"loc", "cache", "geoip"}));

    // The LOC source's reverse look-up names the hop; the rules then place it by that name.
    sources.loc = [](std::string& host_name, const std::string&) -> std::optional<entry_t> {
        host_name = "router.paris.example.fr";
        return std::nullopt;
    };
    sources.rules = [](std::string& host_name, const std::string&) -> std::optional<entry_t> {
        host_name[0] = '*';
        return place(48.85, "North", 2.35, "East");
    };
    const resolution result = resolve_location(name, "10.1.2.3", sources);
    EXPECT_EQ(result.source, location_source::rules);
    EXPECT_EQ(result.kind, 0);
    EXPECT_EQ(name, "*outer.paris.example.fr");
}

class app_sources_test : public ::testing::Test {
  protected:
    void SetUp() override { old_ = app_settings(); }
    void TearDown() override { app_settings() = old_; }
    settings old_;
};

// Only exactly 1 turns DNS LOC on; any non-zero value turns GeoIP on.
TEST_F(app_sources_test, settings_choose_the_sources) {
    struct row {
        int rfc1876, use_geoip;
        bool loc, geoip;
    };
    for (const row& r : {row{0, 0, false, false}, row{1, 1, true, true}, row{2, 1, false, true},
                         row{-1, 0, false, false}}) {
        app_settings().rfc1876 = r.rfc1876;
        app_settings().use_geoip = r.use_geoip;
        const location_sources sources = app_location_sources();
        EXPECT_EQ(static_cast<bool>(sources.loc), r.loc) << r.rfc1876;
        EXPECT_EQ(static_cast<bool>(sources.geoip), r.geoip) << r.use_geoip;
        EXPECT_TRUE(sources.cache);
        EXPECT_TRUE(sources.rules);
    }
}

} // namespace
} // namespace hoplot
