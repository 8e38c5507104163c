#pragma once

#include <optional>
#include <string>

class QWidget;

namespace hoplot {

enum class save_answer { yes, no, cancel };

// What the file commands ask the user; tests answer instead.
class file_questions {
  public:
    virtual ~file_questions() = default;
    // The trace file to open or to save to; none when the user cancels.
    virtual std::optional<std::string> open_path() = 0;
    virtual std::optional<std::string> save_path() = 0;
    // "Save trace(s)?"
    virtual save_answer save_traces() = 0;
};

// Qt's file dialogs for trace files and a question box, all owned by the parent.
class dialog_questions : public file_questions {
  public:
    explicit dialog_questions(QWidget* parent) : parent_(parent) {}

    std::optional<std::string> open_path() override;
    std::optional<std::string> save_path() override;
    save_answer save_traces() override;

  private:
    QWidget* parent_;
};

} // namespace hoplot
