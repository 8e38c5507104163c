#include <gtest/gtest.h>

#include "trace/store_recorder.h"

namespace hoplot {
namespace {

using testing::hop;
using testing::hops_at;
using events = std::vector<std::string>;
using building = testing::store_test;

// Each place as its labels with their positions, then its point count and label base.
events shape(const route_rec& route) {
    events result;
    for (const hop_group& g : route.places) {
        std::string place;
        for (const point_rec& p : g.points)
            place += p.label + "@" + std::to_string(p.position.x) + "," +
                     std::to_string(p.position.y) + " ";
        result.push_back(place + std::to_string(g.point_count) + "/" +
                         std::to_string(g.label_base));
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
    EXPECT_EQ(store.current_route()->name, "dest");
    EXPECT_EQ(shape(*store.current_route()), events{"a@100,200 b@100,200 2/0"});
}

TEST_F(building, live_drawing_of_a_route_that_returns_to_an_earlier_position) {
    places.positions = {{"1.1.1.1", {10, 10}}, {"2.2.2.2", {20, 20}}};
    store.begin_trace("d");
    for (const hop_rec& h : hops_at({"1.1.1.1", "2.2.2.2", "1.1.1.1", "2.2.2.2", "9.9.9.9"}))
        store.add_hop(h, false);

    EXPECT_EQ(seen.only({"dot", "line", "label"}),
              (events{"dot 10,10 image", "label h1.1.1.1 0 kind0 10,10 image",
                      "line 10,10 20,20 image", "dot 10,10 image", "dot 20,20 image",
                      "label h2.2.2.2 1 kind0 20,20 image", "line 20,20 10,10 image",
                      "dot 20,20 image", "dot 10,10 image", "label h1.1.1.1 2 kind0 10,10 image",
                      "line 10,10 20,20 image", "dot 10,10 image", "dot 20,20 image",
                      "label h2.2.2.2 3 kind0 20,20 image", "label h9.9.9.9 4 kind0 20,20 image"}));
    EXPECT_EQ(shape(*store.current_route()),
              (events{"h1.1.1.1@10,10 2/0", "h2.2.2.2@20,20 2/0", "h1.1.1.1@10,10 2/1",
                      "h2.2.2.2@20,20 h9.9.9.9@20,20 3/1"}));
}

// Twelve hops at one place, placed from the start or pulled there by the first answer (a dot
// for each hop moved, then one for each new place).
TEST_F(building, label_indices_wrap_from_ten_to_one) {
    places.positions["5.5.5.5"] = {5, 5};
    std::vector<std::string> pulled(11, "0.0.0.1");
    pulled.push_back("5.5.5.5");
    const std::pair<std::vector<std::string>, std::size_t> cases[] = {
        {std::vector<std::string>(12, "5.5.5.5"), 1}, {pulled, 11}};
    for (const auto& [addresses, dots] : cases) {
        store = trace_store{places.resolver()};
        store.add_observer(seen);
        seen.events.clear();
        add_trace("d", hops_at(addresses));
        std::vector<int> indices;
        for (const std::string& e : seen.only({"label"}))
            indices.push_back(std::stoi(e.substr(e.find(' ', 6) + 1))); // "label NAME INDEX ..."
        EXPECT_EQ(indices, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1}));
        ASSERT_EQ(store.current_route()->places.size(), 1u);
        EXPECT_EQ(store.current_route()->places[0].point_count, 12);
        EXPECT_EQ(seen.only({"dot"}).size(), dots);
    }
}

TEST_F(building, time_outs_are_stored_only_after_the_first_answer) {
    places.positions["1.1.1.1"] = {1, 1};
    add_trace("d", {make_status_row(timed_out_text, red), hop("a", "1.1.1.1"),
                    make_status_row(timed_out_text, red), hop("b", "0.0.0.9"),
                    make_status_row(done_text, blue)});
    EXPECT_EQ(seen.only({"output"}).size(), 5u) << "every status line is shown";
    store.add_hop(hop("late", "0.0.0.2"), true); // after end_trace: not stored
    store.add_status_row(done_text, blue);
    std::vector<std::string> rows;
    for (const hop_rec& row : store.traces().at(0).rows)
        rows.push_back(row.name + (row.is_status() ? " " + std::to_string(row.colour) : ""));
    EXPECT_EQ(rows, (events{"a", timed_out_text + std::string(" 255"), "b", "Done 16711680"}));

    // A trace without an answer makes no entry and leaves no route.
    seen.events.clear();
    add_trace("silent", std::vector<hop_rec>(29, make_status_row(timed_out_text, red)));
    EXPECT_EQ(store.trace_count(), 1);
    EXPECT_EQ(store.current_route(), nullptr);
    EXPECT_EQ(seen.only({"output"}).size(), 29u);
    EXPECT_EQ(seen.only({"count", "list"}), events{});

    // One without any position keeps its rows but loses its places and draws nothing.
    add_trace("lost", hops_at({"0.0.0.1", "0.0.0.2"}));
    EXPECT_EQ(seen.only({"dot", "line", "label"}), events{});
    EXPECT_TRUE(store.current_route()->places.empty());
    EXPECT_EQ(store.traces().at(1).rows.size(), 2u);
}

TEST_F(building, hops_are_placed_by_the_callers_resolution_or_by_the_resolver) {
    const resolution loc{std::string("somewhere"), {300, 400}, 1, location_source::loc};
    places.positions["5.6.7.8"] = {1, 2};
    places.renames["5.6.7.8"] = "*b";
    places.kinds["5.6.7.8"] = 2;
    store.begin_trace("d");
    store.add_hop(hop("a", "1.2.3.4"), loc, true);
    store.add_hop(hop("b", "5.6.7.8"), true);

    EXPECT_EQ(places.calls, 1);
    EXPECT_EQ(seen.only({"label"}), (events{"label a 0 kind1 300,400", "label *b 1 kind2 1,2"}));
    const auto& rows = store.traces()[0].rows;
    EXPECT_EQ(rows[0].location, "somewhere");
    EXPECT_EQ(rows[0].kind, 1);
    EXPECT_EQ(rows[1].name, "*b") << "the name as the resolver left it";
}

// Rebuilding must group a stored trace exactly as live building did, from its own positions.
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
        add_trace("d", hops_at(addresses));
        const auto live = shape(*store.current_route());
        seen.events.clear();
        store.rebuild_route(static_cast<std::size_t>(store.trace_count() - 1));
        EXPECT_EQ(shape(*store.current_route()), live) << addresses.size() << " hops";
        EXPECT_EQ(store.current_route()->name, "");
        EXPECT_EQ(seen.only({"dot", "label", "line"}), events{}) << "drawn by repaint only";
    }
}

struct store_with_traces : testing::store_test {
    store_with_traces() {
        places.positions = {{"1.0.0.1", {10, 10}}, {"2.0.0.1", {20, 20}}, {"3.0.0.1", {30, 30}}};
        for (const auto& [name, address] :
             {std::pair{"one", "1.0.0.1"}, {"two", "2.0.0.1"}, {"three", "3.0.0.1"}})
            add_trace(name,
                      {hop(name + std::string("-hop"), address), make_status_row(done_text, blue)});
        seen.events.clear();
    }
};

TEST_F(store_with_traces, deleting_the_first_while_the_second_is_shown_shows_the_last) {
    store.rebuild_route(1);
    seen.events.clear();
    store.set_traces_saved(true);
    store.delete_trace(0);

    EXPECT_EQ(store.traces()[0].name, "two");
    EXPECT_EQ(store.current_trace(), 1u);
    EXPECT_EQ(shape(*store.current_route()), events{"three-hop@30,30 1/0"});
    EXPECT_EQ(seen.events,
              (events{"list remove 0", "count 2", "repaint", "output cleared",
                      "output hop three-hop at 3.0.0.1", "output line 'Done' 16711680"}));
    EXPECT_FALSE(store.traces_saved());

    store.delete_trace(1);
    seen.events.clear();
    store.delete_trace(0);
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(store.current_route(), nullptr);
    EXPECT_EQ(seen.events, (events{"list remove 0", "count 0", "repaint", "output cleared"}));
}

TEST_F(store_with_traces, clearing_empties_everything_but_keeps_the_saved_flag) {
    store.set_traces_saved(false);
    store.clear_traces();
    store.add_status_row(done_text, blue); // the trace being built is gone: shown, not stored
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(store.current_route(), nullptr);
    EXPECT_FALSE(store.traces_saved());
    EXPECT_EQ(seen.events,
              (events{"output cleared", "list cleared", "count 0", "output line 'Done' 16711680"}));
}

TEST_F(store_with_traces, rebuilding_resolves_every_hop_anew) {
    // Two places; then the user fixes the later hops onto the first's position.
    add_trace("four", {hop("x", "1.0.0.1"), make_status_row(timed_out_text, red),
                       hop("y", "4.0.0.1"), hop("z", "2.0.0.1")});
    EXPECT_EQ(shape(*store.current_route()), (events{"x@10,10 y@10,10 2/0", "z@20,20 1/0"}));
    places.positions["4.0.0.1"] = places.positions["2.0.0.1"] = {10, 10};
    seen.events.clear();
    store.rebuild_route(3);

    EXPECT_EQ(store.traces()[3].rows[2].location, "at 4.0.0.1");
    EXPECT_EQ(store.traces()[3].rows[1].location, " ") << "status rows are left alone";
    EXPECT_EQ(shape(*store.current_route()), events{"x@10,10 y@10,10 z@10,10 3/0"});
    EXPECT_EQ(seen.events, (events{"repaint", "output cleared", "output hop x at 1.0.0.1",
                                   "output line 'Timed out. Retrying... ' 255",
                                   "output hop y at 4.0.0.1", "output hop z at 2.0.0.1"}));
}

} // namespace
} // namespace hoplot
