#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "geolocation/plausibility.h"
#include "trace/hop_rec.h"

namespace hoplot {

// The hops of one trace checked against their round trips (geolocation/plausibility.h).

// What the check knows of a row. A row read from a trace file has its time in whole
// milliseconds, cut down: the check takes it as one millisecond longer, the most it may have
// been, so that a file never marks a hop that the trace itself would have let pass.
hop_evidence evidence_of(const hop_rec& row);

// The answer a placed row shows: the pipeline's first, or a later one the check chose.
const resolution& shown_answer(const hop_rec& row);

// A row the check found implausible.
inline bool doubtful(const hop_rec& row) {
    return row.check.plausible == false;
}

// Gives every hop row its verdict, its note and the answer it shows; status rows and unplaced
// hops get an empty verdict. Returns the indices of the rows whose verdict or shown position
// changed.
std::vector<std::size_t> check_rows(std::span<hop_rec* const> rows,
                                    const std::optional<coordinates>& home);
std::vector<std::size_t> check_rows(std::vector<hop_rec>& rows,
                                    const std::optional<coordinates>& home);

// Why the check doubts a row, or what stood in for its first answer, e.g. "Placed by GeoIP in
// Frankfurt am Main, 6,210 km from home, but it answered in 2 ms: at most 300 km away"; empty
// when neither. rows are the trace's, for the name of a hop that contradicts it.
std::string check_note(std::span<hop_rec* const> rows, std::size_t row);

// What a hop's position is told by, in a tooltip or an accessible description: the check's
// note, else where the position came from.
std::string position_tip(const hop_rec& row);

} // namespace hoplot
