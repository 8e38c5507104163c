#include "trace/trace_document.h"

#include <filesystem>

#include "base/show_message.h"
#include "trace/trace_file.h"

namespace hoplot {
namespace {

std::string file_title(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

} // namespace

std::string window_caption(const trace_document& document) {
    return document.title.empty() ? "Hoplot" : "Hoplot - " + document.title;
}

void new_traces(trace_store& store, trace_document& document) {
    store.clear_traces();
    store.set_traces_saved(false);
    document = {};
}

bool open_traces(trace_store& store, trace_document& document, const std::string& path) {
    // Read whole before anything is replaced: a file that cannot be read changes nothing.
    return open_traces(store, document, path, read_trace_file(path));
}

bool open_traces(trace_store& store, trace_document& document, const std::string& path,
                 std::optional<std::vector<trace_entry>> traces) {
    if (!traces) {
        ShowMessage(format_message("Can't read file %s", file_title(path)));
        return false;
    }
    document = {path, file_title(path)};
    store.clear_traces();
    store.repaint_map();
    // Only the trace shown is placed now; the others when they are picked.
    store.add_traces(std::move(*traces));
    store.set_traces_saved(true);
    if (store.trace_count() > 0) {
        store.select_trace(0);
        store.rebuild_route(0);
    }
    return true;
}

bool save_traces(trace_store& store, const trace_document& document) {
    if (!write_trace_file(store, document.path)) {
        ShowMessage(format_message("Can't write to file %s", document.title));
        return false;
    }
    store.set_traces_saved(true);
    return true;
}

bool save_traces_as(trace_store& store, trace_document& document, const std::string& path) {
    const trace_document chosen{path, file_title(path)};
    if (!save_traces(store, chosen)) return false;
    document = chosen;
    return true;
}

} // namespace hoplot
