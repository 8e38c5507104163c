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

// The column widths of the output list, in pixels.
using output_widths = std::array<std::int32_t, output_column_count>;

// The strip below the map listing the current trace line by line, each line in its own colour.
// It opens with the saved column widths and tells when they change.
class output_window : public QWidget, public store_observer {
    Q_OBJECT

  public:
    explicit output_window(const output_widths& widths, QWidget* parent = nullptr);

    // Shows the store's current trace afresh, the same lines its events would have added.
    void reload(const trace_store& store);
    // Selects a line, as a click on a hop's dot on the map does.
    void select_row(std::size_t row);
    int line_count() const;
    // Why the Network column stays empty (no AS database), told by its header; empty: it isn't.
    void set_network_note(const std::string& note);
    QTableView* table() const { return table_; }
    const output_widths& widths() const { return widths_; }

    void output_cleared() override;
    void output_line_added(const std::string& text, int colour) override;
    void output_hop_added(const hop_rec& hop) override;
    void output_hop_changed(std::size_t row, std::size_t rows, const hop_rec& hop) override;
    void output_reloaded(const std::vector<hop_rec>& rows) override;

  signals:
    // A double click or Enter on a line: the position dialog for its hop.
    void row_activated(std::size_t row);
    // The columns shared a new width, or the user dragged one.
    void widths_changed(const output_widths& widths);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void apply_widths();
    void store_dragged_width(int column, int width);
    void append(output_row row);

    output_model* model_;
    QTableView* table_;
    output_widths widths_;
    bool first_size_ = true;
    bool applying_widths_ = false;
};

} // namespace hoplot
