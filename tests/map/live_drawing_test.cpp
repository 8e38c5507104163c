#include <gtest/gtest.h>

#include <set>

#include "map/drawing_objects.h"
#include "map/recording_canvas.h"
#include "map/route_drawing.h"
#include "map/test_views.h"
#include "trace/trace_store.h"

namespace hoplot {
namespace {

using test::map_units;
using test::recording_canvas;

// What the map window does with the store's live drawing: the same steps as the full picture.
class live_canvas final : public store_observer {
  public:
    live_canvas(canvas& surface, const map_view& view) : surface_(surface), view_(view) {}

    void output_cleared() override {}
    void output_line_added(const std::string&, int) override {}
    void output_hop_added(const hop_rec&) override {}
    void trace_line_appended(const std::string&) override {}
    void trace_line_removed(std::size_t) override {}
    void trace_lines_cleared() override {}
    void trace_line_selected(std::size_t) override {}
    void trace_lines_deselected() override {}
    void trace_count_changed(int) override {}
    void map_repainted() override {}
    void hop_dot_drawn(map_point at, bool) override { mark_hop(surface_, view_, at); }
    void route_line_drawn(map_point from, map_point to, bool) override {
        join_hops(surface_, view_, from, to);
    }
    void hop_label_drawn(const std::string& text, int index, int kind, map_point at,
                         bool) override {
        label_hop(surface_, view_, text, index, kind, at);
    }

  private:
    canvas& surface_;
    const map_view& view_;
};

// Where the dots of a drawing are, each place once.
std::set<std::pair<int, int>> dot_places(const recording_canvas& canvas) {
    std::set<std::pair<int, int>> places;
    for (const auto& dot : canvas.ovals)
        places.insert({dot.centre().x, dot.centre().y});
    return places;
}

// A trace drawn hop by hop as it comes in shows what the full redraw of its route shows.
TEST(live_drawing, a_trace_drawn_as_it_comes_matches_the_redraw_of_its_route) {
    for (const bool globe : {false, true}) {
        SCOPED_TRACE(globe ? "globe" : "flat");
        const map_view view = globe ? test::globe_view() : test::whole_world_view();
        const map_point places[] = {map_units(-0.1, 51.5), map_units(-0.1, 51.5),
                                    map_units(2.3, 48.9), map_units(8.7, 50.1),
                                    map_units(13.4, 52.5)};
        recording_canvas live;
        live_canvas observer(live, view);
        trace_store store([](std::string&, const std::string&) { return resolution{}; });
        store.set_observer(&observer);
        store.begin_trace("example.com");
        for (int i = 0; i < 5; ++i) {
            hop_rec hop;
            hop.name = "hop" + std::to_string(i);
            hop.address = "192.0.2." + std::to_string(i + 1);
            hop.time = "  1ms";
            resolution where;
            where.location = "somewhere";
            where.position = places[i];
            where.kind = i == 2 ? 1 : 0;
            store.add_hop(hop, where, true);
        }
        store.end_trace();
        ASSERT_NE(store.current_route(), nullptr);

        recording_canvas redrawn;
        draw_route(redrawn, view, *store.current_route());

        ASSERT_EQ(live.labels.size(), redrawn.labels.size());
        for (std::size_t i = 0; i < live.labels.size(); ++i) {
            EXPECT_EQ(live.labels[i].text, redrawn.labels[i].text);
            EXPECT_EQ(live.labels[i].at, redrawn.labels[i].at);
            EXPECT_EQ(live.labels[i].font, redrawn.labels[i].font);
            EXPECT_EQ(live.labels[i].colour, redrawn.labels[i].colour);
        }
        EXPECT_EQ(live.labels[2].colour, loc_label_colour);
        EXPECT_EQ(dot_places(live), dot_places(redrawn));
        EXPECT_EQ(live.segments.size(), redrawn.segments.size());
        for (const auto& dot : live.ovals)
            EXPECT_EQ(dot.brush, hop_brush);
        for (const auto& line : live.segments)
            EXPECT_EQ(line.pen, route_pen);
    }
}

} // namespace
} // namespace hoplot
