#pragma once

#include <QGroupBox>
#include <cstddef>
#include <functional>
#include <optional>

#include "trace/store_observer.h"
#include "trace/trace_store.h"

class QListWidget;
class QMenu;

namespace hoplot {

// The "Trace List": the store's traces by name, oldest first; the highlighted line is the trace
// shown. Picking a line shows that trace; its context menu deletes one. Both are refused while a
// trace runs.
class trace_list_window : public QGroupBox, public store_observer {
    Q_OBJECT

  public:
    trace_list_window(trace_store& store, std::function<bool()> trace_running,
                      QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QMenu* menu() const { return menu_; }

    // The line a context menu at `at` (in the list's viewport) is for: the line at that height,
    // the last one below them all; none on an empty list.
    std::optional<std::size_t> menu_line_at(QPoint at) const;

    // Shows the selected trace again, resolving its hops anew (after a position fix). Not while
    // a trace runs: the store is being built then.
    void show_selected();

    void trace_line_appended(const std::string& name) override;
    void trace_lines_appended(const std::vector<std::string>& names) override;
    void trace_line_removed(std::size_t index) override;
    void trace_lines_cleared() override;
    void trace_line_selected(std::size_t index) override;
    void trace_lines_deselected() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::optional<std::size_t> selected_line() const;
    void picked();
    void highlight_shown_trace();
    void open_menu(QPoint at);
    void delete_menu_line();
    bool refused_while_tracing() const;

    trace_store& store_;
    std::function<bool()> trace_running_;
    QListWidget* list_;
    QMenu* menu_;
    std::size_t menu_line_ = 0;
};

} // namespace hoplot
