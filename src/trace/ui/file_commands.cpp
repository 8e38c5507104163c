#include "trace/ui/file_commands.h"

#include "trace/ui/file_reading.h"

namespace hoplot {

file_commands::file_commands(trace_store& store, trace_document& document, QWidget* parent,
                             std::function<void()> caption_changed,
                             std::function<void(bool)> opening_changed,
                             std::unique_ptr<file_questions> questions)
    : store_(store), document_(document), caption_changed_(std::move(caption_changed)),
      opening_changed_(opening_changed ? std::move(opening_changed) : [](bool) {}),
      questions_(questions ? std::move(questions) : std::make_unique<dialog_questions>(parent)) {}

bool file_commands::may_discard_traces() {
    if (store_.traces_saved() || store_.trace_count() == 0) return true;
    switch (questions_->save_traces()) {
    case save_answer::yes:
        return save();
    case save_answer::no:
        return true;
    case save_answer::cancel:
        return false;
    }
    return false;
}

bool file_commands::new_traces() {
    if (!may_discard_traces()) return false;
    hoplot::new_traces(store_, document_);
    caption_changed_();
    return true;
}

bool file_commands::open() {
    opening_changed_(true);
    const auto path = questions_->open_path();
    const bool loaded = path && may_discard_traces() && load(*path);
    opening_changed_(false);
    return loaded;
}

bool file_commands::open(const std::string& path) {
    opening_changed_(true);
    const bool loaded = may_discard_traces() && load(path);
    opening_changed_(false);
    return loaded;
}

bool file_commands::load(const std::string& path) {
    // Read whole before anything is replaced: a file that cannot be read changes nothing.
    const bool loaded =
        open_traces(store_, document_, path, read_trace_file_answering(path, reading_bar_));
    caption_changed_();
    return loaded;
}

bool file_commands::save() {
    if (document_.title.empty()) return save_as();
    return save_traces(store_, document_);
}

bool file_commands::save_as() {
    const auto path = questions_->save_path();
    if (!path) return false;
    if (!save_traces_as(store_, document_, *path)) return false;
    caption_changed_();
    return true;
}

} // namespace hoplot
