#include <gtest/gtest.h>

#include "trace/store_recorder.h"
#include "trace/trace_store.h"

namespace hoplot {
namespace {

using testing::fake_places;
using testing::hop;
using testing::store_recorder;
using events = std::vector<std::string>;

struct building : ::testing::Test {
    fake_places places;
    trace_store store{places.resolver()};
    store_recorder seen;

    building() { store.set_observer(&seen); }

    // One engine-style trace: every address becomes a hop named after it.
    void trace(const std::string& destination, const std::vector<std::string>& addresses) {
        store.begin_trace(destination);
        for (const std::string& a : addresses)
            store.add_hop(hop("h" + a, a), true);
        store.end_trace();
    }
};

struct place_shape {
    std::vector<std::string> labels;
    map_point at;
    int point_count;
    int label_base;
    bool operator==(const place_shape&) const = default;
};

std::vector<place_shape> shape(const route_rec& route) {
    std::vector<place_shape> result;
    for (const hop_group& g : route.places) {
        place_shape s{{}, g.points.front().position, g.point_count, g.label_base};
        for (const point_rec& p : g.points) {
            EXPECT_EQ(p.position, s.at) << "a place holds one position only";
            s.labels.push_back(p.label);
        }
        result.push_back(s);
    }
    return result;
}

TEST_F(building, unplaced_first_hop_moves_to_the_first_position_and_shares_its_place) {
    places.positions["10.0.0.2"] = {100, 200};
    store.begin_trace("dest");
    store.add_hop(hop("a", "10.0.0.1"), true);
    store.add_hop(hop("b", "10.0.0.2"), true);

    EXPECT_EQ(seen.events, (events{"output hop a Unresolved", "count 1", "list append dest",
                                   "output hop b at 10.0.0.2", "dot 100,200",
                                   "label a 0 kind0 100,200", "label b 1 kind0 100,200"}));
    ASSERT_NE(store.current_route(), nullptr);
    EXPECT_EQ(store.current_route()->name, "dest");
    EXPECT_EQ(shape(*store.current_route()),
              (std::vector<place_shape>{{{"a", "b"}, {100, 200}, 2, 0}}));
    EXPECT_EQ(store.traces()[0].rows[0].location, unresolved_text);
}

TEST_F(building, live_drawing_of_a_route_that_returns_to_an_earlier_position) {
    places.positions = {{"1.1.1.1", {10, 10}}, {"2.2.2.2", {20, 20}}};
    store.begin_trace("d");
    store.add_hop(hop("a", "1.1.1.1"), false);
    store.add_hop(hop("b", "2.2.2.2"), false);
    store.add_hop(hop("c", "1.1.1.1"), false);
    store.add_hop(hop("d", "2.2.2.2"), false);
    store.add_hop(hop("e", "9.9.9.9"), false); // unplaced: stays with d

    EXPECT_EQ(
        seen.only({"dot", "line", "label"}),
        (events{"dot 10,10 image", "label a 0 kind0 10,10 image", "line 10,10 20,20 image",
                "dot 10,10 image", "dot 20,20 image", "label b 1 kind0 20,20 image",
                "line 20,20 10,10 image", "dot 20,20 image", "dot 10,10 image",
                "label c 2 kind0 10,10 image", "line 10,10 20,20 image", "dot 10,10 image",
                "dot 20,20 image", "label d 3 kind0 20,20 image", "label e 4 kind0 20,20 image"}));
    EXPECT_EQ(shape(*store.current_route()), (std::vector<place_shape>{
                                                 {{"a"}, {10, 10}, 2, 0},
                                                 {{"b"}, {20, 20}, 2, 0},
                                                 {{"c"}, {10, 10}, 2, 1},
                                                 {{"d", "e"}, {20, 20}, 3, 1},
                                             }));
}

TEST_F(building, label_indices_wrap_from_ten_to_one) {
    places.positions["5.5.5.5"] = {5, 5};
    trace("d", std::vector<std::string>(12, "5.5.5.5"));

    std::vector<int> indices;
    for (const std::string& e : seen.only({"label"})) {
        indices.push_back(std::stoi(e.substr(e.find(' ', 6) + 1))); // "label NAME INDEX ..."
    }
    EXPECT_EQ(indices, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1}));
    ASSERT_EQ(store.current_route()->places.size(), 1u);
    EXPECT_EQ(store.current_route()->places[0].point_count, 12);
    EXPECT_EQ(seen.only({"dot"}).size(), 1u);
}

TEST_F(building, label_counter_runs_on_through_the_moved_hops) {
    // Eleven unplaced hops then one placed: the moved labels use 0..10, the placed one 1.
    places.positions["7.7.7.7"] = {7, 7};
    std::vector<std::string> addresses(11, "0.0.0.1");
    addresses.push_back("7.7.7.7");
    trace("d", addresses);
    const events labels = seen.only({"label"});
    ASSERT_EQ(labels.size(), 12u);
    EXPECT_EQ(labels[10], "label h0.0.0.1 10 kind0 7,7");
    EXPECT_EQ(labels[11], "label h7.7.7.7 1 kind0 7,7");
}

TEST_F(building, a_trace_without_any_position_keeps_its_rows_but_draws_nothing) {
    trace("d", {"0.0.0.1", "0.0.0.2"});
    EXPECT_EQ(seen.only({"dot", "line", "label"}), events{});
    ASSERT_NE(store.current_route(), nullptr);
    EXPECT_TRUE(store.current_route()->places.empty());
    ASSERT_EQ(store.trace_count(), 1);
    EXPECT_EQ(store.traces()[0].rows.size(), 2u);
}

TEST_F(building, time_outs_are_stored_only_after_the_first_answer) {
    places.positions["1.1.1.1"] = {1, 1};
    store.begin_trace("d");
    store.add_status_row(timed_out_text, red);
    store.add_hop(hop("a", "1.1.1.1"), true);
    store.add_status_row(timed_out_text, red);
    store.add_hop(hop("b", "0.0.0.9"), true);
    store.add_status_row(done_text, blue);
    store.end_trace();

    std::vector<std::string> names;
    for (const hop_rec& row : store.traces().at(0).rows)
        names.push_back(row.name);
    EXPECT_EQ(names, (std::vector<std::string>{"a", timed_out_text, "b", done_text}));
    EXPECT_EQ(seen.only({"output"}).size(), 5u) << "every status line is shown";
    EXPECT_TRUE(store.traces()[0].rows[1].is_status());
    EXPECT_EQ(store.traces()[0].rows[3].colour, blue);
}

TEST_F(building, a_trace_without_an_answer_makes_no_entry_and_leaves_no_route) {
    places.positions["1.1.1.1"] = {1, 1};
    trace("first", {"1.1.1.1"});
    seen.events.clear();

    store.begin_trace("silent");
    for (int i = 0; i < 29; ++i)
        store.add_status_row(timed_out_text, red);
    store.add_status_row(done_text, blue);
    store.end_trace();

    EXPECT_EQ(store.trace_count(), 1);
    EXPECT_EQ(store.current_route(), nullptr);
    EXPECT_EQ(seen.only({"output"}).size(), 30u);
    EXPECT_EQ(seen.only({"count", "list"}), events{});

    store.delete_trace(0);
    EXPECT_EQ(store.trace_count(), 0);
}

TEST_F(building, a_hop_after_end_trace_is_not_added) {
    trace("d", {"0.0.0.1"});
    store.add_hop(hop("late", "0.0.0.2"), true);
    store.add_status_row(done_text, blue);
    EXPECT_EQ(store.traces()[0].rows.size(), 1u);
}

TEST_F(building, a_resolution_made_by_the_caller_is_used_as_it_is) {
    resolution loc;
    loc.location.emplace("somewhere");
    loc.position = {300, 400};
    loc.kind = 1;
    store.begin_trace("d");
    store.add_hop(hop("a", "1.2.3.4"), loc, true);
    EXPECT_EQ(places.calls, 0);
    EXPECT_EQ(seen.only({"label"}), (events{"label a 0 kind1 300,400"}));
    EXPECT_EQ(store.traces()[0].rows[0].location, "somewhere");
    EXPECT_EQ(store.traces()[0].rows[0].kind, 1);
}

TEST(building_alone, the_store_takes_the_name_as_the_resolver_left_it) {
    trace_store store([](std::string& name, const std::string&) {
        name[0] = '*';
        resolution r;
        r.location.emplace("x");
        r.position = {1, 2};
        return r;
    });
    store_recorder seen;
    store.set_observer(&seen);
    store.begin_trace("d");
    store.add_hop(hop("abc", "1.2.3.4"), true);
    EXPECT_EQ(store.traces()[0].rows[0].name, "*bc");
    EXPECT_EQ(seen.only({"label"}), (events{"label *bc 0 kind0 1,2"}));
}

// Rebuilding must group a stored trace exactly as live building did.
TEST_F(building, rebuilding_groups_as_live_building_did) {
    places.positions = {{"1.0.0.1", {10, 10}}, {"1.0.0.2", {20, 20}}, {"1.0.0.3", {30, 30}}};
    const std::vector<std::vector<std::string>> routes = {
        {"1.0.0.1", "1.0.0.2", "1.0.0.3"},
        {"0.0.0.1", "0.0.0.2", "1.0.0.2", "0.0.0.3", "1.0.0.1"},
        {"1.0.0.1", "1.0.0.2", "1.0.0.1", "1.0.0.2", "1.0.0.1", "1.0.0.3", "1.0.0.1"},
        {"1.0.0.1", "1.0.0.1", "0.0.0.4", "1.0.0.2", "1.0.0.2", "1.0.0.1"},
        {"0.0.0.1", "0.0.0.2"},
    };
    for (const auto& addresses : routes) {
        trace("d", addresses);
        const auto live = shape(*store.current_route());
        store.rebuild_route(static_cast<std::size_t>(store.trace_count() - 1));
        EXPECT_EQ(shape(*store.current_route()), live) << addresses.size() << " hops";
        EXPECT_EQ(store.current_route()->name, "");
    }
}

} // namespace
} // namespace hoplot
