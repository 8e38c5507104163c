#pragma once

#include <cstddef>
#include <functional>
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
// text is the lone token "%"; hops named "Timed" or "Done" are written "%54imed" and "%44one" so
// that they cannot be taken for status rows. Times keep their leading blanks, which reading skips
// as before. Status rows are written as they are, "Timed out. Retrying... " as three words.
// Texts may be of any length: whatever the writer writes, the reader reads.

std::string escape_token(std::string_view text);
std::optional<std::string> unescape_token(std::string_view token);

// The file's text for every trace of the store.
std::string trace_file_text(const trace_store& store);

// The traces of a file's text, or none when anything in it is malformed: a missing, negative or
// non-numeric count, a missing token, a trace whose first row is not a hop, a
// time-out row that is not exactly the three words, a bad escape, or anything after the last
// trace. Rows come back with no location. progress, when given, hears after each trace how many
// bytes of the text are read.
using parse_progress = std::function<void(std::size_t read, std::size_t size)>;
std::optional<std::vector<trace_entry>> parse_trace_text(std::string_view text,
                                                         const parse_progress& progress = {});

// Adds parsed traces to the store, every hop placed anew and checked, none drawn.
void load_traces(trace_store& store, std::vector<trace_entry> traces);

// Writes every trace to path, replacing the file only once the whole text is written and keeping
// its mode. Where the directory takes no new file, or the file belongs to another user, the file
// is written in place instead. A text too large for reading to take back is not written.
bool write_trace_file(const trace_store& store, const std::string& path);

// The traces of the file at path, or none when it cannot be read, is malformed, or is too large
// for its traces to fit in memory.
std::optional<std::vector<trace_entry>> read_trace_file(const std::string& path,
                                                        const parse_progress& progress = {});

// Reads the traces of path into the store; on any failure the store is left as it was.
bool read_trace_file(trace_store& store, const std::string& path);

} // namespace hoplot
