#include "geolocation/plausibility.h"

#include <gtest/gtest.h>

namespace hoplot {
namespace {

using src = location_source;

constexpr coordinates paris{48.86, 2.35};
constexpr coordinates versailles{48.80, 2.13}; // 17 km from Paris
constexpr coordinates frankfurt{50.11, 8.68};  // 478 km from Paris
constexpr coordinates new_york{40.71, -74.01};
constexpr coordinates tokyo{35.68, 139.69};

hop_evidence hop(src source, coordinates where, std::optional<double> rtt = 2.0) {
    return {{{where, source}}, rtt};
}

hop_evidence with_later(hop_evidence first, src source, coordinates where) {
    first.answers.push_back({where, source});
    return first;
}

TEST(plausibility, great_circle_distances) {
    const struct {
        coordinates a, b;
        double km;
    } rows[] = {
        {paris, paris, 0},
        {paris, new_york, 5837},
        {{90, 0}, {-90, 0}, 20015},
        {{0, 179.5}, {0, -179.5}, 111}, // across the 180th meridian, not round the world
    };
    for (const auto& r : rows) {
        EXPECT_NEAR(great_circle_km(r.a, r.b), r.km, 1) << r.km;
        EXPECT_NEAR(great_circle_km(r.b, r.a), r.km, 1) << r.km;
    }
}

// The home rule, hop by hop: 2 ms reach 300 km.
TEST(plausibility, with_a_home_each_hop_must_lie_within_its_reach) {
    const std::vector<hop_evidence> hops = {
        hop(src::cache, versailles),
        hop(src::geoip, frankfurt),            // 478 km > 300 km
        hop(src::geoip, frankfurt, 3.8),       // 480 km reach
        hop(src::fix, tokyo),                  // the user's word stands
        hop(src::loc, new_york, std::nullopt), // no round trip known
        {{}, 2.0},                             // unplaced
        with_later(hop(src::geoip, tokyo), src::rules, versailles),
        with_later(hop(src::loc, tokyo), src::geoip, new_york),
    };
    const auto verdicts = check_positions(hops, paris);
    const std::optional<bool> expected[] = {true,         false,        true, true,
                                            std::nullopt, std::nullopt, true, false};
    for (std::size_t i = 0; i < hops.size(); ++i)
        EXPECT_EQ(verdicts[i].plausible, expected[i]) << i;
    EXPECT_TRUE(verdicts[1].ruled_out);
    EXPECT_FALSE(verdicts[1].against);
    EXPECT_NEAR(verdicts[1].distance_km, 478, 1);
    EXPECT_DOUBLE_EQ(verdicts[1].bound_km, 300);
    // A later source's position within reach stands in; one beyond it does not.
    EXPECT_EQ(verdicts[6].answer, 1u);
    EXPECT_TRUE(verdicts[6].ruled_out);
    EXPECT_EQ(verdicts[7].answer, 0u);
    EXPECT_FALSE(verdicts[0].ruled_out || verdicts[3].ruled_out);
}

// Without a home: which of two hops too far apart for their round trips is marked.
TEST(plausibility, without_a_home_the_weaker_or_later_of_a_pair_is_marked) {
    const struct {
        const char* what;
        std::vector<hop_evidence> hops;
        std::vector<std::optional<bool>> plausible;
        std::optional<std::size_t> against_of_marked;
    } rows[] = {
        {"weaker source, though earlier",
         {hop(src::geoip, tokyo), hop(src::cache, paris)},
         {false, true},
         1},
        {"host-name rules weaker than LOC",
         {hop(src::loc, paris), hop(src::rules, tokyo)},
         {true, false},
         0},
        {"equals: the later hop",
         {hop(src::geoip, paris), hop(src::geoip, tokyo)},
         {true, false},
         0},
        {"a fix is never marked", {hop(src::cache, paris), hop(src::fix, tokyo)}, {false, true}, 1},
        {"nor two fixes", {hop(src::fix, paris), hop(src::fix, tokyo)}, {true, true}, {}},
        {"within their reaches together", // 478 km, reaches 300 + 300
         {hop(src::geoip, paris), hop(src::geoip, frankfurt)},
         {true, true},
         {}},
        {"a lone hop: nothing to compare",
         {hop(src::geoip, tokyo), {{}, 1.0}, hop(src::cache, paris, std::nullopt)},
         {std::nullopt, std::nullopt, std::nullopt},
         {}},
        {"the one that contradicts the most, not the later ones",
         {hop(src::geoip, tokyo), hop(src::geoip, paris), hop(src::geoip, paris),
          hop(src::geoip, paris)},
         {false, true, true, true},
         1},
    };
    for (const auto& r : rows) {
        const auto verdicts = check_positions(r.hops, std::nullopt);
        for (std::size_t i = 0; i < r.hops.size(); ++i) {
            EXPECT_EQ(verdicts[i].plausible, r.plausible[i]) << r.what << " hop " << i;
            if (verdicts[i].plausible == false) {
                EXPECT_EQ(verdicts[i].against, r.against_of_marked) << r.what;
            }
        }
    }
}

TEST(plausibility, a_pair_reports_its_distance_and_both_reaches) {
    const std::vector<hop_evidence> hops = {hop(src::cache, paris, 0.5),
                                            hop(src::cache, frankfurt, 0.25)};
    const position_verdict v = check_positions(hops, std::nullopt)[1];
    EXPECT_EQ(v.plausible, false);
    EXPECT_NEAR(v.distance_km, 478, 1);
    EXPECT_DOUBLE_EQ(v.bound_km, 275); // 100 km x (0.5 + 0.25 + 2)
}

// Without a home a later answer stands in when it agrees with every hop that still counts.
TEST(plausibility, without_a_home_a_later_source_may_stand_in) {
    const std::vector<hop_evidence> hops = {
        hop(src::cache, paris),
        with_later(with_later(hop(src::geoip, tokyo), src::rules, new_york), src::rules,
                   versailles),
        hop(src::cache, versailles),
    };
    const auto verdicts = check_positions(hops, std::nullopt);
    EXPECT_EQ(verdicts[1].plausible, true);
    EXPECT_TRUE(verdicts[1].ruled_out);
    EXPECT_EQ(verdicts[1].answer, 2u);
    EXPECT_EQ(verdicts[0].plausible, true);
}

TEST(plausibility, home_location_texts) {
    const struct {
        const char* text;
        std::optional<coordinates> home;
    } rows[] = {
        {"48.85 2.35", coordinates{48.85, 2.35}},
        {" -33.87\t151.21 ", coordinates{-33.87, 151.21}},
        {"+90 -180", coordinates{90, -180}},
        {"", std::nullopt},
        {"48.85", std::nullopt},
        {"48.85,2.35", std::nullopt},
        {"48,85 2,35", std::nullopt},
        {"48.85N 2.35E", std::nullopt},
        {"1 2 3", std::nullopt},
        {"90.5 0", std::nullopt},
        {"0 180.01", std::nullopt},
        {"nan 0", std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(parse_home_location(r.text), r.home) << r.text;
    EXPECT_EQ(home_location_text({-33.87, 151.21}), "-33.87 151.21");
    EXPECT_EQ(parse_home_location(home_location_text({48.8566, 2.3522})),
              (coordinates{48.8566, 2.3522}));
}

} // namespace
} // namespace hoplot
