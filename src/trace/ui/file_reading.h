#pragma once

#include <optional>
#include <string>
#include <vector>

#include "trace/trace_store.h"

class QProgressBar;

namespace hoplot {

// The traces of a trace file, read on a worker thread while the window goes on answering input.
// A read that takes more than a moment shows on the bar, when there is one, how far it has come;
// the bar is hidden again at the end. Returns once the worker has finished.
std::optional<std::vector<trace_entry>> read_trace_file_answering(const std::string& path,
                                                                  QProgressBar* bar);

} // namespace hoplot
