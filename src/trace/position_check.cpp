#include "trace/position_check.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace hoplot {
namespace {

// Who placed a hop, as in "Placed by GeoIP".
std::string placer(location_source source) {
    switch (source) {
    case location_source::loc:
        return "its DNS LOC record";
    case location_source::cache:
        return "the cache files";
    case location_source::fix:
        return "your fix";
    case location_source::geoip:
        return "GeoIP";
    case location_source::rules:
        return "the host-name rules";
    case location_source::none:
        break;
    }
    return "nothing";
}

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 32);
    return text;
}

// Fixed decimals in every locale.
std::string decimal_text(double value, int decimals) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

// "6,210 km"; built digit by digit (an insert into the digits GCC 12 wrongly warns about).
std::string km_text(double km) {
    const std::string digits = std::to_string(std::lround(km));
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t left = digits.size() - i;
        if (i > 0 && left % 3 == 0 && digits[i - 1] != '-') text += ',';
        text += digits[i];
    }
    return text + " km";
}

// The whole milliseconds of a time text "%4dms".
std::optional<int> whole_ms(const std::string& time) {
    const std::size_t first = time.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    int value = 0;
    const char* end = time.data() + time.size();
    const auto [after, error] = std::from_chars(time.data() + first, end, value);
    if (error != std::errc() || value < 0 || std::string_view(after, end) != "ms")
        return std::nullopt;
    return value;
}

// "0.04 ms", "2.3 ms", "2 ms", "83 ms"; a row from a file only says it took less than a
// millisecond more.
std::string time_text(const hop_rec& row) {
    if (!row.rtt) return "under " + std::to_string(whole_ms(row.time).value_or(0) + 1) + " ms";
    const double ms = std::max<double>(row.rtt->count(), 0) / 1000.0;
    std::string text = decimal_text(ms, ms < 1 ? 2 : ms < 10 ? 1 : 0);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return text + " ms";
}

// "in Frankfurt am Main", or by its coordinates where the source named no place.
std::string where_text(const resolution& answer) {
    if (!answer.place.empty()) return "in " + answer.place;
    const coordinates& p = answer.lat_lon;
    return "at " + decimal_text(std::fabs(p.latitude), 2) + degree_sign +
           (p.latitude < 0 ? " S, " : " N, ") + decimal_text(std::fabs(p.longitude), 2) +
           degree_sign + (p.longitude < 0 ? " W" : " E");
}

// What rules out the first answer: the home or another hop, the distance and the bound.
std::string contradiction(std::span<hop_rec* const> rows, std::size_t row) {
    const hop_rec& hop = *rows[row];
    const position_verdict& v = hop.check;
    std::string text = where_text(hop.where) + ", " + km_text(v.distance_km) + " from ";
    if (!v.against || *v.against >= rows.size())
        return text + "home, but it answered in " + time_text(hop) + ": at most " +
               km_text(v.bound_km) + " away";
    const hop_rec& other = *rows[*v.against];
    return text + other.name + ", but the two answered in " + time_text(hop) + " and " +
           time_text(other) + ": at most " + km_text(v.bound_km) + " apart";
}

} // namespace

hop_evidence evidence_of(const hop_rec& row) {
    hop_evidence evidence;
    if (row.is_status() || !row.where.location) return evidence;
    evidence.answers.push_back({row.where.lat_lon, row.where.source});
    for (const resolution& later : row.where.later)
        evidence.answers.push_back({later.lat_lon, later.source});
    if (row.rtt)
        evidence.rtt_ms = std::max<double>(row.rtt->count(), 0) / 1000.0;
    else if (const auto ms = whole_ms(row.time))
        evidence.rtt_ms = *ms + 1.0;
    return evidence;
}

const resolution& shown_answer(const hop_rec& row) {
    const std::size_t answer = row.check.answer;
    if (answer == 0 || answer > row.where.later.size()) return row.where;
    return row.where.later[answer - 1];
}

std::vector<std::size_t> check_rows(std::span<hop_rec* const> rows,
                                    const std::optional<coordinates>& home) {
    std::vector<hop_evidence> evidence;
    evidence.reserve(rows.size());
    for (const hop_rec* row : rows)
        evidence.push_back(evidence_of(*row));
    const std::vector<position_verdict> verdicts = check_positions(evidence, home);

    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        hop_rec& row = *rows[i];
        if (row.is_status()) continue;
        const position_verdict before = row.check;
        row.check = verdicts[i];
        if (row.where.location) {
            const resolution& shown = shown_answer(row);
            row.location = shown.location;
            row.kind = shown.kind;
            row.source = shown.source;
        }
        row.check_note = check_note(rows, i);
        if (row.check != before) changed.push_back(i);
    }
    return changed;
}

std::vector<std::size_t> check_rows(std::vector<hop_rec>& rows,
                                    const std::optional<coordinates>& home) {
    std::vector<hop_rec*> pointers;
    pointers.reserve(rows.size());
    for (hop_rec& row : rows)
        pointers.push_back(&row);
    return check_rows(pointers, home);
}

std::string check_note(std::span<hop_rec* const> rows, std::size_t row) {
    const hop_rec& hop = *rows[row];
    if (!hop.check.ruled_out) return {};
    if (hop.check.plausible == false)
        return "Placed by " + placer(hop.where.source) + " " + contradiction(rows, row);
    return "Placed by " + placer(hop.source) + ": " + capitalised(placer(hop.where.source)) +
           " put it " + contradiction(rows, row);
}

std::string position_tip(const hop_rec& row) {
    return row.check_note.empty() ? source_description(row.source) : row.check_note;
}

} // namespace hoplot
