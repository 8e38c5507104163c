#pragma once

#include <QWidget>
#include <array>
#include <cstddef>
#include <cstdint>

#include "trace/output_row.h"
#include "trace/store_observer.h"
#include "trace/trace_store.h"

class QTableView;

namespace hoplot {

class output_model;

// The strip below the map listing the current trace line by line, each line in its own colour.
// Column widths come from and go back to app_settings().output.
class output_window : public QWidget, public store_observer {
    Q_OBJECT

  public:
    explicit output_window(QWidget* parent = nullptr);

    // Shows the store's current trace afresh, the same lines its events would have added.
    void reload(const trace_store& store);
    // Selects a line, as a click on a hop's dot on the map does.
    void select_row(std::size_t row);
    int line_count() const;
    // Why the Network column stays empty (no AS database), told by its header; empty: it isn't.
    void set_network_note(const std::string& note);
    QTableView* table() const { return table_; }

    void output_cleared() override;
    void output_line_added(const std::string& text, int colour) override;
    void output_hop_added(const hop_rec& hop) override;
    void output_hop_changed(std::size_t row, std::size_t rows, const hop_rec& hop) override;

  signals:
    // A double click or Enter on a line: the position dialog for its hop.
    void row_activated(std::size_t row);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void apply_widths(const std::array<std::int32_t, output_column_count>& widths);
    void store_dragged_width(int column, int width);
    void append(output_row row);

    output_model* model_;
    QTableView* table_;
    bool first_size_ = true;
    bool applying_widths_ = false;
};

} // namespace hoplot
