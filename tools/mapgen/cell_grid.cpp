#include "mapgen/cell_grid.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace hoplot::mapgen {

namespace {

// The parameters along a → b where it meets a border k × m, for every k strictly between the ends.
void add_crossings(double a, double b, int m, std::vector<double>& ts) {
    if (a == b) return;
    const double low = std::min(a, b);
    const double high = std::max(a, b);
    for (double border = std::floor(low / m + 1) * m; border < high; border += m)
        ts.push_back((border - a) / (b - a));
}

std::uint8_t snap(double offset, int m) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(offset), 0L, static_cast<long>(m - 1)));
}

grid_point lerp(const grid_point& a, const grid_point& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

} // namespace

cell_grid::cell_grid(int cells_per_side, int cell_size)
    : n_(cells_per_side), m_(cell_size),
      cells_(static_cast<std::size_t>(cells_per_side) * cells_per_side) {
    if (cells_per_side < 1 || cell_size < 1 || cell_size > 256)
        throw std::invalid_argument("cell grid size out of range");
}

void cell_grid::add_polyline(std::span<const grid_point> line) {
    const double extent = static_cast<double>(n_) * m_;
    std::vector<grid_point> points;
    points.reserve(line.size());
    for (const grid_point& p : line)
        points.push_back({std::clamp(p.x, 0.0, extent), std::clamp(p.y, 0.0, extent)});
    if (points.size() == 1) points.push_back(points.front());

    const auto cell_of = [&](double v) { return std::clamp(static_cast<int>(v / m_), 0, n_ - 1); };
    std::vector<grid_point> piece;
    int piece_ix = -1;
    int piece_iy = -1;
    std::vector<double> ts;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const grid_point& a = points[i - 1];
        const grid_point& b = points[i];
        ts.assign({0.0, 1.0});
        add_crossings(a.x, b.x, m_, ts);
        add_crossings(a.y, b.y, m_, ts);
        std::sort(ts.begin(), ts.end());
        for (std::size_t k = 1; k < ts.size(); ++k) {
            if (ts[k] == ts[k - 1]) continue;
            // The middle of a stretch between two crossings decides its cell; its ends lie on
            // borders and belong to both neighbours.
            const grid_point middle = lerp(a, b, (ts[k - 1] + ts[k]) / 2);
            const int ix = cell_of(middle.x);
            const int iy = cell_of(middle.y);
            if (ix != piece_ix || iy != piece_iy) {
                if (!piece.empty()) store_piece(piece_ix, piece_iy, piece);
                piece.assign({lerp(a, b, ts[k - 1])});
                piece_ix = ix;
                piece_iy = iy;
            }
            piece.push_back(lerp(a, b, ts[k]));
        }
    }
    if (!piece.empty()) store_piece(piece_ix, piece_iy, piece);
}

void cell_grid::store_piece(int ix, int iy, std::span<const grid_point> piece) {
    cell_polyline snapped;
    for (const grid_point& p : piece) {
        const cell_point c{snap(p.x - static_cast<double>(ix) * m_, m_),
                           snap(p.y - static_cast<double>(iy) * m_, m_)};
        if (snapped.empty() || snapped.back() != c) snapped.push_back(c);
    }
    if (snapped.size() >= 2) cells_[index(ix, iy)].push_back(std::move(snapped));
}

void cell_grid::join_touching_pieces() {
    const auto key = [](const cell_point& p) { return p.bx << 8 | p.by; };
    for (std::vector<cell_polyline>& pieces : cells_) {
        std::multimap<int, std::size_t> starting_at;
        for (std::size_t i = 0; i < pieces.size(); ++i)
            starting_at.emplace(key(pieces[i].front()), i);

        // next[i] is the piece that continues piece i; every piece continues at most one other.
        const std::size_t none = pieces.size();
        std::vector<std::size_t> next(pieces.size(), none);
        std::vector<bool> continues_another(pieces.size(), false);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const auto [first, last] = starting_at.equal_range(key(pieces[i].back()));
            for (auto it = first; it != last; ++it) {
                const std::size_t j = it->second;
                if (j != i && !continues_another[j]) {
                    next[i] = j;
                    continues_another[j] = true;
                    break;
                }
            }
        }

        std::vector<cell_polyline> joined;
        std::vector<bool> used(pieces.size(), false);
        const auto follow = [&](std::size_t head) {
            cell_polyline chain = pieces[head];
            used[head] = true;
            for (std::size_t j = next[head]; j != none && !used[j]; j = next[j]) {
                chain.insert(chain.end(), pieces[j].begin() + 1, pieces[j].end());
                used[j] = true;
            }
            joined.push_back(std::move(chain));
        };
        for (std::size_t i = 0; i < pieces.size(); ++i)
            if (!continues_another[i]) follow(i);
        // What is left are closed chains, each entered at an arbitrary piece.
        for (std::size_t i = 0; i < pieces.size(); ++i)
            if (!used[i]) follow(i);
        pieces = std::move(joined);
    }
}

} // namespace hoplot::mapgen
