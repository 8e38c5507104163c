#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "trace/hop_rec.h"
#include "trace/trace_store.h"

namespace hoplot {

inline constexpr int output_column_count = 5;

// One line of the output window: name, address, location, time and network, in the row's
// colour. A status line has its text in the first cell and a blank in the others.
struct output_row {
    std::array<std::string, output_column_count> cells;
    int colour = black;
    std::optional<location_source> source; // where a hop's position came from; none for status
    bool doubtful = false;                 // its round trip rules its position out
    std::string source_tip{};              // the source in words, or why it is doubted

    bool operator==(const output_row&) const = default;
};

inline constexpr int location_column = 2;
inline constexpr int network_column = 4;

output_row make_output_row(const hop_rec& row);

// The stored row of the current trace shown on output line `line`, when it is stored: while a
// trace is being built, the status lines before its first hop are shown but not stored.
std::optional<std::size_t> stored_row_of_line(std::size_t line, std::size_t line_count,
                                              std::size_t stored_rows);

// The lines the output window shows for these rows, or for the store's current trace (none
// without one).
std::vector<output_row> output_rows(const std::vector<hop_rec>& rows);
std::vector<output_row> output_rows(const trace_store& store);

// The text drawn in a cell with `room` pixels for it: whole when it fits, else its longest proper
// beginning (whole UTF-8 characters) followed by "..." that fits; "..." when nothing does.
std::string shorten_cell_text(const std::string& text, int room,
                              const std::function<int(const std::string&)>& text_width);

} // namespace hoplot
