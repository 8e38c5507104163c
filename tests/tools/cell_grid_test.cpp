#include "mapgen/cell_grid.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace hoplot::mapgen {
namespace {

constexpr int n = 4;
constexpr int m = 256;

struct placed_piece {
    int ix;
    int iy;
    cell_polyline points;
};

std::vector<placed_piece> all_pieces(const cell_grid& grid) {
    std::vector<placed_piece> pieces;
    for (int ix = 0; ix < grid.cells_per_side(); ++ix)
        for (int iy = 0; iy < grid.cells_per_side(); ++iy)
            for (const cell_polyline& line : grid.cell(ix, iy))
                pieces.push_back({ix, iy, line});
    return pieces;
}

double distance_to_segment(grid_point p, grid_point a, grid_point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    const double t =
        length == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0);
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

double distance_to_line(grid_point p, const std::vector<grid_point>& line) {
    double best = INFINITY;
    for (std::size_t i = 1; i < line.size(); ++i)
        best = std::min(best, distance_to_segment(p, line[i - 1], line[i]));
    return best;
}

grid_point global(const placed_piece& piece, const cell_point& p) {
    return {static_cast<double>(piece.ix * m + p.bx), static_cast<double>(piece.iy * m + p.by)};
}

struct single_cell_case {
    const char* name;
    std::vector<grid_point> line;
    int ix, iy;
    cell_polyline expected;
};

TEST(cell_grid_test, line_inside_one_cell_is_rounded_to_its_steps) {
    const std::vector<single_cell_case> cases = {
        {"rounds half up", {{10.4, 20.6}, {100.5, 30.2}}, 0, 0, {{10, 21}, {101, 30}}},
        {"offsets from its own cell",
         {{2 * m + 5, m + 7}, {2 * m + 9, m + 200}},
         2,
         1,
         {{5, 7}, {9, 200}}},
        {"last cell of the world",
         {{3 * m + 1, 3 * m + 2}, {3 * m + 250, 3 * m + 3}},
         3,
         3,
         {{1, 2}, {250, 3}}},
        {"repeated steps collapse",
         {{1, 1}, {1.2, 1.3}, {0.9, 1.1}, {5, 5}},
         0,
         0,
         {{1, 1}, {5, 5}}},
    };
    for (const single_cell_case& c : cases) {
        cell_grid grid(n, m);
        grid.add_polyline(c.line);
        const auto pieces = all_pieces(grid);
        ASSERT_EQ(pieces.size(), 1u) << c.name;
        EXPECT_EQ(pieces[0].ix, c.ix) << c.name;
        EXPECT_EQ(pieces[0].iy, c.iy) << c.name;
        EXPECT_EQ(pieces[0].points, c.expected) << c.name;
    }
}

TEST(cell_grid_test, crossing_a_border_ends_at_the_last_step_and_starts_at_zero) {
    // Eastward: meets x = 256 at y = 128.
    cell_grid east(n, m);
    east.add_polyline(std::vector<grid_point>{{200, 100}, {312, 156}});
    ASSERT_EQ(east.cell(0, 0).size(), 1u);
    ASSERT_EQ(east.cell(1, 0).size(), 1u);
    EXPECT_EQ(east.cell(0, 0)[0], (cell_polyline{{200, 100}, {255, 128}}));
    EXPECT_EQ(east.cell(1, 0)[0], (cell_polyline{{0, 128}, {56, 156}}));

    // Southward across y = 512 at x = 317.6: the upper cell's piece ends on its lower border.
    cell_grid south(n, m);
    south.add_polyline(std::vector<grid_point>{{300, 600}, {340, 400}});
    ASSERT_EQ(south.cell(1, 2).size(), 1u);
    ASSERT_EQ(south.cell(1, 1).size(), 1u);
    EXPECT_EQ(south.cell(1, 2)[0], (cell_polyline{{44, 88}, {62, 0}}));
    EXPECT_EQ(south.cell(1, 1)[0], (cell_polyline{{62, 255}, {84, 144}}));
}

TEST(cell_grid_test, line_through_a_corner_skips_the_side_cells) {
    cell_grid grid(n, m);
    grid.add_polyline(std::vector<grid_point>{{200, 200}, {300, 300}});
    EXPECT_EQ(grid.cell(0, 0), (std::vector<cell_polyline>{{{200, 200}, {255, 255}}}));
    EXPECT_EQ(grid.cell(1, 1), (std::vector<cell_polyline>{{{0, 0}, {44, 44}}}));
    EXPECT_TRUE(grid.cell(1, 0).empty());
    EXPECT_TRUE(grid.cell(0, 1).empty());
}

TEST(cell_grid_test, line_along_a_border_stays_in_one_cell) {
    cell_grid grid(n, m);
    grid.add_polyline(std::vector<grid_point>{{256, 10}, {256, 100}, {256, 250}});
    EXPECT_EQ(grid.cell(1, 0), (std::vector<cell_polyline>{{{0, 10}, {0, 100}, {0, 250}}}));
    EXPECT_TRUE(grid.cell(0, 0).empty());
}

TEST(cell_grid_test, points_off_the_world_are_pulled_onto_its_edge) {
    cell_grid grid(n, m);
    grid.add_polyline(std::vector<grid_point>{{1000, 1000}, {1024, 1024}, {1100, 1030}});
    EXPECT_EQ(grid.cell(3, 3), (std::vector<cell_polyline>{{{232, 232}, {255, 255}}}));

    cell_grid west(n, m);
    west.add_polyline(std::vector<grid_point>{{-5, 10}, {20, 10}});
    EXPECT_EQ(west.cell(0, 0), (std::vector<cell_polyline>{{{0, 10}, {20, 10}}}));
}

TEST(cell_grid_test, lines_that_snap_to_one_point_vanish) {
    cell_grid grid(n, m);
    grid.add_polyline(std::vector<grid_point>{{10.1, 10.1}, {10.3, 9.8}});
    grid.add_polyline(std::vector<grid_point>{{50, 50}});
    grid.add_polyline(std::vector<grid_point>{});
    EXPECT_TRUE(all_pieces(grid).empty());
}

// Random lines running eastward across many cells: every point stays within one step on each axis
// of the line (rounding, or the border pulled back to the last step), and consecutive pieces meet
// exactly once a last step on a shared border is drawn as the border.
TEST(cell_grid_test, split_random_lines_keep_their_shape_and_leave_no_gap) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(0, n * m);
    std::uniform_real_distribution<double> step(0.3, 150);
    std::uniform_real_distribution<double> turn(-120, 120);
    for (int round = 0; round < 200; ++round) {
        std::vector<grid_point> line{{coordinate(random) / 4, coordinate(random)}};
        while (line.back().x < n * m - 160)
            line.push_back({line.back().x + step(random),
                            std::clamp(line.back().y + turn(random), 0.0, double(n * m))});
        cell_grid grid(n, m);
        grid.add_polyline(line);
        std::vector<placed_piece> pieces = all_pieces(grid);
        ASSERT_FALSE(pieces.empty());
        std::sort(pieces.begin(), pieces.end(), [](const placed_piece& a, const placed_piece& b) {
            return a.ix * m + a.points.front().bx < b.ix * m + b.points.front().bx;
        });

        for (const placed_piece& piece : pieces) {
            ASSERT_GE(piece.points.size(), 2u);
            for (std::size_t i = 0; i < piece.points.size(); ++i) {
                EXPECT_LE(distance_to_line(global(piece, piece.points[i]), line),
                          std::sqrt(2.0) + 1e-9)
                    << "round " << round;
                if (i > 0) {
                    EXPECT_NE(piece.points[i], piece.points[i - 1]);
                }
            }
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            const placed_piece& a = pieces[i - 1];
            const placed_piece& b = pieces[i];
            grid_point end = global(a, a.points.back());
            grid_point start = global(b, b.points.front());
            // On each axis where the cells differ, the lower cell's last step is the border.
            if (b.ix > a.ix && a.points.back().bx == m - 1) end.x += 1;
            if (b.iy > a.iy && a.points.back().by == m - 1) end.y += 1;
            if (b.iy < a.iy && b.points.front().by == m - 1) start.y += 1;
            EXPECT_EQ(end.x, start.x) << "round " << round << " piece " << i;
            EXPECT_EQ(end.y, start.y) << "round " << round << " piece " << i;
        }
    }
}

TEST(cell_grid_test, joining_chains_pieces_that_meet) {
    cell_grid grid(n, m);
    grid.add_polyline(std::vector<grid_point>{{30, 30}, {40, 40}});
    grid.add_polyline(std::vector<grid_point>{{10, 10}, {20, 20}, {30, 30}});
    grid.add_polyline(std::vector<grid_point>{{100, 100}, {110, 100}});
    grid.join_touching_pieces();
    const std::vector<cell_polyline> expected = {{{10, 10}, {20, 20}, {30, 30}, {40, 40}},
                                                 {{100, 100}, {110, 100}}};
    EXPECT_EQ(grid.cell(0, 0), expected);

    // A ring cut into three pieces closes into one.
    cell_grid ring(n, m);
    ring.add_polyline(std::vector<grid_point>{{50, 10}, {90, 50}});
    ring.add_polyline(std::vector<grid_point>{{10, 50}, {50, 10}});
    ring.add_polyline(std::vector<grid_point>{{90, 50}, {10, 50}});
    ring.join_touching_pieces();
    ASSERT_EQ(ring.cell(0, 0).size(), 1u);
    EXPECT_EQ(ring.cell(0, 0)[0].size(), 4u);
    EXPECT_EQ(ring.cell(0, 0)[0].front(), ring.cell(0, 0)[0].back());
}

// Joining may only regroup: every drawn segment of every cell stays, none is added.
TEST(cell_grid_test, joining_keeps_every_segment) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(0, 40); // few values, so that pieces meet often
    cell_grid grid(1, m);
    for (int i = 0; i < 300; ++i) {
        std::vector<grid_point> line;
        const int length = 2 + i % 4;
        for (int j = 0; j < length; ++j)
            line.push_back({double(coordinate(random)), double(coordinate(random))});
        grid.add_polyline(line);
    }
    const auto segments = [&] {
        std::multiset<std::pair<int, int>> out;
        for (const cell_polyline& line : grid.cell(0, 0))
            for (std::size_t j = 1; j < line.size(); ++j)
                out.emplace(line[j - 1].bx << 8 | line[j - 1].by, line[j].bx << 8 | line[j].by);
        return out;
    };
    const auto before = segments();
    const std::size_t pieces_before = grid.cell(0, 0).size();
    grid.join_touching_pieces();
    EXPECT_EQ(segments(), before);
    EXPECT_LT(grid.cell(0, 0).size(), pieces_before);
}

} // namespace
} // namespace hoplot::mapgen
