#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "trace/trace_store.h"

namespace hoplot {

// Trace files: every trace's name and rows as one line of blank-separated tokens: the trace
// count, then per trace its name, its row count and its rows; a hop row is colour, name, address
// and time, a status row colour and message. Locations are not kept; reading places every hop
// anew.
//
// Texts are written so that each reads back as exactly one token: every byte outside printable
// ASCII ('!' to '~'), and '%' itself, is written as '%' and two upper-case hex digits; an empty
// text is the lone token "%"; a hop named "Timed" is written "%54imed" so that it cannot be taken
// for a time-out row. Times keep their leading blanks, which reading skips as before. Status rows
// are written as they are, "Timed out. Retrying... " as three words.

// Files larger than this are refused rather than read into memory.
inline constexpr std::size_t max_trace_file_size = 4 * 1024 * 1024;
// Longer texts are refused: no host or destination name is longer. Escaped, every such text
// fits in max_trace_token_length, which bounds every token read.
inline constexpr std::size_t max_trace_text_length = 255;
inline constexpr std::size_t max_trace_token_length = 3 * max_trace_text_length;

std::string escape_token(std::string_view text);
std::optional<std::string> unescape_token(std::string_view token);

// The file's text for every trace of the store.
std::string trace_file_text(const trace_store& store);

// The traces of a file's text, or none when anything in it is malformed: a missing, negative or
// non-numeric count, a missing or over-long token or text, a trace whose first row is not a hop, a
// time-out row that is not exactly the three words, a bad escape, or anything after the last
// trace. Rows come back with no location.
std::optional<std::vector<trace_entry>> parse_trace_text(std::string_view text);

// Adds parsed traces to the store as the engine would, placing every hop anew, drawing into the
// map's image only.
void load_traces(trace_store& store, const std::vector<trace_entry>& traces);

// Writes every trace to path, replacing the file only once the whole text is written.
bool write_trace_file(const trace_store& store, const std::string& path);

// Reads the traces of path into the store; on any failure the store is left as it was.
bool read_trace_file(trace_store& store, const std::string& path);

} // namespace hoplot
