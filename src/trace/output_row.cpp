#include "trace/output_row.h"

#include "trace/position_check.h"

namespace hoplot {
namespace {

bool continues_character(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace

output_row make_output_row(const hop_rec& row) {
    output_row line{{row.name, row.address, row.location.value_or(" "), row.time,
                     row.network ? network_text(*row.network) : " "},
                    row.colour,
                    {}};
    // Only a hop has an address, and so a position to account for.
    if (row.address != " ") {
        line.source = row.source;
        line.doubtful = doubtful(row);
        line.source_tip = position_tip(row);
    }
    return line;
}

std::optional<std::size_t> stored_row_of_line(std::size_t line, std::size_t line_count,
                                              std::size_t stored_rows) {
    if (line >= line_count || stored_rows > line_count) return std::nullopt;
    const std::size_t unstored = line_count - stored_rows;
    if (line < unstored) return std::nullopt;
    return line - unstored;
}

std::vector<output_row> output_rows(const std::vector<hop_rec>& rows) {
    std::vector<output_row> lines;
    lines.reserve(rows.size());
    for (const hop_rec& row : rows)
        lines.push_back(make_output_row(row));
    return lines;
}

std::vector<output_row> output_rows(const trace_store& store) {
    const auto current = store.current_trace();
    return current ? output_rows(store.traces()[*current].rows) : std::vector<output_row>{};
}

std::string shorten_cell_text(const std::string& text, int room,
                              const std::function<int(const std::string&)>& text_width) {
    if (text_width(text) <= room) return text;
    for (std::size_t length = text.size(); length-- > 0;) {
        if (continues_character(text[length])) continue;
        std::string shortened = text.substr(0, length) + "...";
        if (length == 0 || text_width(shortened) <= room) return shortened;
    }
    return "...";
}

} // namespace hoplot
