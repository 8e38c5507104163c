#include "geolocation/plausibility.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <tuple>

namespace hoplot {
namespace {

constexpr double earth_radius_km = 6371.0;
constexpr double km_per_ms = 100.0;
constexpr double pi = 3.14159265358979323846;

double radians(double degrees) {
    return degrees * pi / 180.0;
}

std::string_view without_blanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A decimal number and the text after it; from_chars reads the same in every locale.
std::optional<double> read_decimal(std::string_view& text) {
    text = without_blanks(text);
    double value = 0.0;
    // from_chars takes no '+'.
    const std::size_t skip = !text.empty() && text.front() == '+' ? 1 : 0;
    const auto [end, error] = std::from_chars(text.data() + skip, text.data() + text.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

std::string shortest_text(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

// A point on the unit sphere: two are compared by their dot product, computed once per hop.
struct unit_vector {
    double x, y, z;
};

unit_vector on_sphere(coordinates p) {
    const double lat = radians(p.latitude), lon = radians(p.longitude);
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

double distance_km(const unit_vector& a, const unit_vector& b) {
    const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
    return earth_radius_km * std::acos(std::clamp(dot, -1.0, 1.0));
}

bool within_span(std::size_t i, std::size_t j) {
    return (i > j ? i - j : j - i) < compare_span;
}

// The hops as the check goes along: the answer each shows and whether it is marked.
class hop_board {
  public:
    explicit hop_board(std::span<const hop_evidence> hops)
        : hops_(hops), shown_(hops.size(), 0), marked_(hops.size(), false), at_(hops.size()),
          reach_(hops.size()) {
        for (std::size_t i = 0; i < hops.size(); ++i) {
            if (!usable(i)) continue;
            at_[i] = on_sphere(shown(i).where);
            const double angle = reach(i) / earth_radius_km;
            reach_[i] = {angle, std::cos(angle), std::sin(angle)};
        }
    }

    std::size_t size() const { return hops_.size(); }
    bool usable(std::size_t i) const { return !hops_[i].answers.empty() && hops_[i].rtt_ms; }
    bool counts(std::size_t i) const { return usable(i) && !marked_[i]; }
    const placed_answer& shown(std::size_t i) const { return hops_[i].answers[shown_[i]]; }
    double reach(std::size_t i) const { return reach_km(*hops_[i].rtt_ms); }

    void mark(std::size_t i) { marked_[i] = true; }
    void show(std::size_t i, std::size_t answer) {
        shown_[i] = answer;
        marked_[i] = false;
        at_[i] = on_sphere(shown(i).where);
    }

    // The distance between the positions two hops show.
    double distance(std::size_t i, std::size_t j) const { return distance_km(at_[i], at_[j]); }

    // How far hop i's shown position lies from hop j's beyond what the two round trips allow;
    // more than 0 rules one of them out.
    double excess(std::size_t i, std::size_t j) const {
        return distance(i, j) - (reach(i) + reach(j));
    }

    // The hops that still count and that hop i would contradict at the position given.
    std::vector<std::size_t> contradicting(std::size_t i, coordinates where) const {
        const unit_vector at = on_sphere(where);
        std::vector<std::size_t> found;
        const std::size_t first = i >= compare_span ? i - compare_span + 1 : 0;
        for (std::size_t j = first; j < size() && within_span(i, j); ++j)
            if (j != i && counts(j) && beyond_reach(at, i, j)) found.push_back(j);
        return found;
    }

  private:
    // The angle at the earth's centre that a hop's reach spans, with its cosine and sine.
    struct reach_angle {
        double angle = 0.0, cos = 1.0, sin = 0.0;
    };

    // Whether a hop i at `at` and hop j are farther apart than their reaches together: their
    // angle is wider than the sum of the reaches' angles, tested on the cosines, as
    // cos(a + b) = cos a cos b - sin a sin b, so that no pair costs a trigonometric function.
    bool beyond_reach(const unit_vector& at, std::size_t i, std::size_t j) const {
        const reach_angle &a = reach_[i], &b = reach_[j];
        if (a.angle + b.angle >= pi) return false; // farther than the far side of the earth
        const double dot = at.x * at_[j].x + at.y * at_[j].y + at.z * at_[j].z;
        return dot < a.cos * b.cos - a.sin * b.sin;
    }

    std::span<const hop_evidence> hops_;
    std::vector<std::size_t> shown_;
    std::vector<bool> marked_;
    std::vector<unit_vector> at_; // of the position each usable hop shows
    std::vector<reach_angle> reach_;
};

bool is_fix(const placed_answer& answer) {
    return answer.source == location_source::fix;
}

// The first later answer that passes stands in for a ruled-out first one.
template <typename passes>
std::optional<std::size_t> stand_in(const hop_evidence& hop, passes&& ok) {
    for (std::size_t k = 1; k < hop.answers.size(); ++k)
        if (is_fix(hop.answers[k]) || ok(hop.answers[k])) return k;
    return std::nullopt;
}

void check_against_home(std::span<const hop_evidence> hops, coordinates home,
                        std::vector<position_verdict>& verdicts) {
    for (std::size_t i = 0; i < hops.size(); ++i) {
        const hop_evidence& hop = hops[i];
        if (hop.answers.empty() || !hop.rtt_ms) continue;
        const double reach = reach_km(*hop.rtt_ms);
        const auto near_home = [&](const placed_answer& answer) {
            return great_circle_km(home, answer.where) <= reach;
        };
        position_verdict& v = verdicts[i];
        v.plausible = true;
        const placed_answer& first = hop.answers.front();
        if (is_fix(first) || near_home(first)) continue;
        v = {false, 0, true, std::nullopt, great_circle_km(home, first.where), reach};
        if (const auto later = stand_in(hop, near_home)) {
            v.answer = *later;
            v.plausible = true;
        }
    }
}

// Whether the hop was compared with any other: only then can something be said of it.
bool has_company(const hop_board& board, std::size_t i) {
    for (std::size_t j = i >= compare_span ? i - compare_span + 1 : 0;
         j < board.size() && within_span(i, j); ++j)
        if (j != i && board.usable(j)) return true;
    return false;
}

// Marks hop i, saying why by the worst contradiction among the hops that still count.
void mark_between(std::size_t i, const std::vector<std::size_t>& against, hop_board& board,
                  position_verdict& verdict) {
    std::optional<std::size_t> worst;
    for (const std::size_t j : against)
        if (board.counts(j) && (!worst || board.excess(i, j) > board.excess(i, *worst))) worst = j;
    verdict = {
        false, 0, true, worst, board.distance(i, *worst), board.reach(i) + board.reach(*worst)};
    board.mark(i);
}

void check_between_hops(std::span<const hop_evidence> hops,
                        std::vector<position_verdict>& verdicts) {
    hop_board board(hops);
    // Who is marked first: the weaker source, then the more contradictions, then the later hop.
    using rank = std::tuple<bool, std::size_t, std::size_t>;
    std::vector<std::vector<std::size_t>> against(hops.size());
    std::vector<std::size_t> count(hops.size(), 0);
    const auto rank_of = [&](std::size_t i) {
        return rank{weak_source(board.shown(i).source), count[i], i};
    };
    std::set<rank> queue;
    for (std::size_t i = 0; i < hops.size(); ++i) {
        if (!board.usable(i)) continue;
        against[i] = board.contradicting(i, board.shown(i).where);
        count[i] = against[i].size();
        if (count[i] > 0 && !is_fix(board.shown(i))) queue.insert(rank_of(i));
    }
    std::vector<std::size_t> marked;
    while (!queue.empty()) {
        const std::size_t i = std::get<2>(*queue.rbegin());
        queue.erase(std::prev(queue.end()));
        mark_between(i, against[i], board, verdicts[i]);
        marked.push_back(i);
        // A marked hop no longer counts against the others.
        for (const std::size_t j : against[i]) {
            if (!board.counts(j)) continue;
            const bool queued = queue.erase(rank_of(j)) > 0;
            --count[j];
            if (queued && count[j] > 0) queue.insert(rank_of(j));
        }
    }
    for (const std::size_t i : marked) {
        const auto later = stand_in(hops[i], [&](const placed_answer& answer) {
            return board.contradicting(i, answer.where).empty();
        });
        if (!later) continue;
        board.show(i, *later);
        verdicts[i].answer = *later;
        verdicts[i].plausible = true;
    }
    for (std::size_t i = 0; i < hops.size(); ++i) {
        if (!board.usable(i) || verdicts[i].ruled_out) continue;
        if (is_fix(board.shown(i)) || has_company(board, i)) verdicts[i].plausible = true;
    }
}

} // namespace

double reach_km(double rtt_ms) {
    return km_per_ms * (rtt_ms + 1.0);
}

double great_circle_km(coordinates a, coordinates b) {
    const double dlat = radians(b.latitude - a.latitude);
    const double dlon = radians(b.longitude - a.longitude);
    const double h = std::sin(dlat / 2) * std::sin(dlat / 2) +
                     std::cos(radians(a.latitude)) * std::cos(radians(b.latitude)) *
                         std::sin(dlon / 2) * std::sin(dlon / 2);
    return 2 * earth_radius_km * std::asin(std::min(1.0, std::sqrt(h)));
}

bool weak_source(location_source source) {
    return source == location_source::geoip || source == location_source::rules;
}

std::optional<coordinates> parse_home_location(std::string_view text) {
    const auto latitude = read_decimal(text);
    if (!latitude || text.empty() || (text.front() != ' ' && text.front() != '\t'))
        return std::nullopt;
    const auto longitude = read_decimal(text);
    if (!longitude || !without_blanks(text).empty()) return std::nullopt;
    if (std::fabs(*latitude) > 90.0 || std::fabs(*longitude) > 180.0) return std::nullopt;
    return coordinates{*latitude, *longitude};
}

std::string home_location_text(coordinates home) {
    return shortest_text(home.latitude) + " " + shortest_text(home.longitude);
}

std::vector<position_verdict> check_positions(std::span<const hop_evidence> hops,
                                              const std::optional<coordinates>& home) {
    std::vector<position_verdict> verdicts(hops.size());
    if (home)
        check_against_home(hops, *home, verdicts);
    else
        check_between_hops(hops, verdicts);
    return verdicts;
}

} // namespace hoplot
