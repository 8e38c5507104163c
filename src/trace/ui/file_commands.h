#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "trace/trace_document.h"
#include "trace/trace_store.h"
#include "trace/ui/file_questions.h"

class QProgressBar;

namespace hoplot {

// New, Open, Save and Save As, and the question about unsaved traces before they are dropped.
// caption_changed runs whenever window_caption(document) may read differently; opening_changed
// brackets an Open, during which the commands that would collide with it are disabled.
class file_commands {
  public:
    file_commands(trace_store& store, trace_document& document, QWidget* parent,
                  std::function<void()> caption_changed,
                  std::function<void(bool opening)> opening_changed = {},
                  std::unique_ptr<file_questions> questions = {});

    // False when the user kept the traces (Cancel, or a save that did not happen).
    bool new_traces();
    // True when a file's traces replaced the store's; a cancelled question or a file that cannot
    // be read leaves everything as it was.
    bool open();
    bool open(const std::string& path);
    bool save();
    bool save_as();
    // Asks "Save trace(s)?" when a trace is unsaved: true to go on (saved, or No), false to keep
    // everything as it is (Cancel, or a save that was cancelled or failed). New, Open and quitting
    // ask it.
    bool may_discard_traces();

    // Where a long Open shows how far it has come; none: nowhere.
    void show_reading_on(QProgressBar* bar) { reading_bar_ = bar; }

  private:
    bool load(const std::string& path);

    trace_store& store_;
    trace_document& document_;
    std::function<void()> caption_changed_;
    std::function<void(bool)> opening_changed_;
    std::unique_ptr<file_questions> questions_;
    QProgressBar* reading_bar_ = nullptr;
};

} // namespace hoplot
