#include "mapgen/cell_grid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <vector>

namespace hoplot::mapgen {
namespace {

constexpr int n = 4;
constexpr int m = 256;

struct placed_piece {
    int ix, iy;
    cell_polyline points;
    bool operator==(const placed_piece&) const = default;
};

// Every piece of the grid, column by column.
std::vector<placed_piece> all_pieces(const cell_grid& grid) {
    std::vector<placed_piece> pieces;
    for (int ix = 0; ix < grid.cells_per_side(); ++ix)
        for (int iy = 0; iy < grid.cells_per_side(); ++iy)
            for (const cell_polyline& line : grid.cell(ix, iy))
                pieces.push_back({ix, iy, line});
    return pieces;
}

std::vector<placed_piece> split(const std::vector<std::vector<grid_point>>& lines) {
    cell_grid grid(n, m);
    for (const auto& line : lines)
        grid.add_polyline(line);
    return all_pieces(grid);
}

TEST(cell_grid_test, lines_are_snapped_to_the_steps_and_split_at_cell_borders) {
    const struct {
        const char* what;
        std::vector<std::vector<grid_point>> lines;
        std::vector<placed_piece> pieces;
    } cases[] = {
        {"rounds half up", {{{10.4, 20.6}, {100.5, 30.2}}}, {{0, 0, {{10, 21}, {101, 30}}}}},
        {"offsets from its own cell",
         {{{2 * m + 5, m + 7}, {2 * m + 9, m + 200}}},
         {{2, 1, {{5, 7}, {9, 200}}}}},
        {"repeated steps collapse",
         {{{1, 1}, {1.2, 1.3}, {0.9, 1.1}, {5, 5}}},
         {{0, 0, {{1, 1}, {5, 5}}}}},
        {"eastward across x = 256 at y = 128",
         {{{200, 100}, {312, 156}}},
         {{0, 0, {{200, 100}, {255, 128}}}, {1, 0, {{0, 128}, {56, 156}}}}},
        {"southward across y = 512 at x = 317.6: the upper piece ends on its lower border",
         {{{300, 600}, {340, 400}}},
         {{1, 1, {{62, 255}, {84, 144}}}, {1, 2, {{44, 88}, {62, 0}}}}},
        {"through a corner, skipping the side cells",
         {{{200, 200}, {300, 300}}},
         {{0, 0, {{200, 200}, {255, 255}}}, {1, 1, {{0, 0}, {44, 44}}}}},
        {"along a border, in one cell",
         {{{256, 10}, {256, 100}, {256, 250}}},
         {{1, 0, {{0, 10}, {0, 100}, {0, 250}}}}},
        {"off the world, pulled onto its edges",
         {{{1000, 1000}, {1024, 1024}, {1100, 1030}}, {{-5, 10}, {20, 10}}},
         {{0, 0, {{0, 10}, {20, 10}}}, {3, 3, {{232, 232}, {255, 255}}}}},
        {"snapping to one point, vanishing", {{{10.1, 10.1}, {10.3, 9.8}}, {{50, 50}}, {}}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.lines), c.pieces) << c.what;
}

double distance_to_line(grid_point p, const std::vector<grid_point>& line) {
    double best = INFINITY;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const grid_point a = line[i - 1], b = line[i];
        const double dx = b.x - a.x, dy = b.y - a.y, length = dx * dx + dy * dy;
        const double t =
            length == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0);
        best = std::min(best, std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y));
    }
    return best;
}

// Random lines running eastward across many cells: every point stays within one step on each axis
// of the line (rounding, or the border pulled back to the last step), and consecutive pieces meet
// exactly once a last step on a shared border is drawn as the border.
TEST(cell_grid_test, split_random_lines_keep_their_shape_and_leave_no_gap) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(0, n * m), step(0.3, 150), turn(-120, 120);
    for (int round = 0; round < 200; ++round) {
        std::vector<grid_point> line{{coordinate(random) / 4, coordinate(random)}};
        while (line.back().x < n * m - 160)
            line.push_back({line.back().x + step(random),
                            std::clamp(line.back().y + turn(random), 0.0, double(n * m))});
        std::vector<placed_piece> pieces = split({line});
        ASSERT_FALSE(pieces.empty());
        std::sort(pieces.begin(), pieces.end(), [](const placed_piece& a, const placed_piece& b) {
            return a.ix * m + a.points.front().bx < b.ix * m + b.points.front().bx;
        });
        const auto global = [](const placed_piece& piece, const cell_point& p) {
            return grid_point{double(piece.ix * m + p.bx), double(piece.iy * m + p.by)};
        };
        for (const placed_piece& piece : pieces) {
            ASSERT_GE(piece.points.size(), 2u);
            for (std::size_t i = 0; i < piece.points.size(); ++i) {
                EXPECT_LE(distance_to_line(global(piece, piece.points[i]), line),
                          std::sqrt(2.0) + 1e-9)
                    << "round " << round;
                EXPECT_TRUE(i == 0 || piece.points[i] != piece.points[i - 1]) << "round " << round;
            }
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            const placed_piece &a = pieces[i - 1], &b = pieces[i];
            grid_point end = global(a, a.points.back()), start = global(b, b.points.front());
            // On each axis where the cells differ, the lower cell's last step is the border.
            if (b.ix > a.ix && a.points.back().bx == m - 1) end.x += 1;
            if (b.iy > a.iy && a.points.back().by == m - 1) end.y += 1;
            if (b.iy < a.iy && b.points.front().by == m - 1) start.y += 1;
            EXPECT_EQ((std::array{end.x, end.y}), (std::array{start.x, start.y}))
                << "round " << round << " piece " << i;
        }
    }
}

TEST(cell_grid_test, joining_chains_pieces_that_meet_and_keeps_every_segment) {
    cell_grid grid(n, m);
    for (const std::vector<grid_point>& line : {std::vector<grid_point>{{30, 30}, {40, 40}},
                                                {{10, 10}, {20, 20}, {30, 30}},
                                                {{100, 100}, {110, 100}}})
        grid.add_polyline(line);
    grid.join_touching_pieces();
    EXPECT_EQ(grid.cell(0, 0), (std::vector<cell_polyline>{{{10, 10}, {20, 20}, {30, 30}, {40, 40}},
                                                           {{100, 100}, {110, 100}}}));

    // A ring cut into three pieces closes into one.
    cell_grid ring(n, m);
    for (const std::vector<grid_point>& line :
         {std::vector<grid_point>{{50, 10}, {90, 50}}, {{10, 50}, {50, 10}}, {{90, 50}, {10, 50}}})
        ring.add_polyline(line);
    ring.join_touching_pieces();
    ASSERT_EQ(ring.cell(0, 0).size(), 1u);
    EXPECT_EQ(ring.cell(0, 0)[0].size(), 4u);
    EXPECT_EQ(ring.cell(0, 0)[0].front(), ring.cell(0, 0)[0].back());

    // Random pieces on few values, so that they meet often: joining only regroups segments.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(0, 40);
    cell_grid many(1, m);
    for (int i = 0; i < 300; ++i) {
        std::vector<grid_point> line(2 + i % 4);
        for (grid_point& p : line)
            p = {double(coordinate(random)), double(coordinate(random))};
        many.add_polyline(line);
    }
    const auto segments = [&] {
        std::multiset<std::pair<int, int>> out;
        for (const cell_polyline& line : many.cell(0, 0))
            for (std::size_t j = 1; j < line.size(); ++j)
                out.emplace(line[j - 1].bx << 8 | line[j - 1].by, line[j].bx << 8 | line[j].by);
        return out;
    };
    const auto before = segments();
    const std::size_t pieces_before = many.cell(0, 0).size();
    many.join_touching_pieces();
    EXPECT_EQ(segments(), before);
    EXPECT_LT(many.cell(0, 0).size(), pieces_before);
}

} // namespace
} // namespace hoplot::mapgen
