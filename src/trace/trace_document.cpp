#include "trace/trace_document.h"

#include <filesystem>

#include "shell/show_message.h"
#include "trace/trace_file.h"

namespace hoplot {
namespace {

void choose_file(trace_document& document, const std::string& path) {
    document.path = path;
    document.title = std::filesystem::path(path).filename().string();
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
    choose_file(document, path);
    store.clear_traces();
    store.repaint_map();
    if (!read_trace_file(store, path)) {
        ShowMessage(format_message("Can't read file %s", document.title));
        // Kept as the current file, a later Save would overwrite it with the empty store.
        document = {};
        return false;
    }
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
    choose_file(document, path);
    return save_traces(store, document);
}

} // namespace hoplot
