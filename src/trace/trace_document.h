#pragma once

#include <optional>
#include <string>
#include <vector>

#include "trace/trace_store.h"

namespace hoplot {

// The trace file the traces were last opened from or saved to; both empty when there is none.
struct trace_document {
    std::string path;
    std::string title; // the file name without its directory, for the caption and messages
};

// "Hoplot", or "Hoplot - " and the title once there is a file.
std::string window_caption(const trace_document& document);

// New: the traces and the file are forgotten; the traces count as unsaved.
void new_traces(trace_store& store, trace_document& document);

// Open, once the user has chosen the file and answered about unsaved traces: the file is read,
// then it becomes the current one, its traces replace the store's and trace 0 is shown. A file
// that cannot be read is reported with "Can't read file %s" and changes nothing.
bool open_traces(trace_store& store, trace_document& document, const std::string& path);
// The same with the file's traces as read already: none when it could not be.
bool open_traces(trace_store& store, trace_document& document, const std::string& path,
                 std::optional<std::vector<trace_entry>> traces);

// Save to the current file; the caller runs Save As instead when there is none. A failure is
// reported with "Can't write to file %s".
bool save_traces(trace_store& store, const trace_document& document);

// Save As, once the user has chosen the file: it becomes the current file once it is written; a
// failure leaves the current file as it was.
bool save_traces_as(trace_store& store, trace_document& document, const std::string& path);

} // namespace hoplot
