#include "trace/ui/output_window.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "trace/ui/elided_cell_delegate.h"
#include "trace/ui/output_model.h"

namespace hoplot {
namespace {

// The room a vertical scroll bar may take, left out when the columns share the width.
constexpr int scroll_bar_room = 16;

} // namespace

output_window::output_window(const output_widths& widths, QWidget* parent)
    : QWidget(parent), model_(new output_model(this)), table_(new QTableView(this)),
      widths_(widths) {
    setAccessibleName(QStringLiteral("Output"));
    table_->setAccessibleName(QStringLiteral("Trace Output"));
    table_->setModel(model_);
    table_->setItemDelegate(new elided_cell_delegate(table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setShowGrid(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Lines as high as their text: the strip is only 120 pixels high.
    table_->verticalHeader()->setMinimumSectionSize(1);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table_->horizontalHeader()->setStretchLastSection(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);

    apply_widths();
    connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { store_dragged_width(column, width); });
    connect(table_, &QTableView::activated, this, [this](const QModelIndex& index) {
        emit row_activated(static_cast<std::size_t>(index.row()));
    });
}

void output_window::reload(const trace_store& store) {
    model_->set_rows(output_rows(store));
}

void output_window::select_row(std::size_t row) {
    const QModelIndex index = model_->index(static_cast<int>(row), 0);
    if (!index.isValid()) return;
    table_->selectRow(index.row());
    table_->scrollTo(index);
}

void output_window::set_network_note(const std::string& note) {
    model_->set_network_note(QString::fromStdString(note));
}

int output_window::line_count() const {
    return model_->rowCount();
}

void output_window::output_cleared() {
    model_->set_rows({});
}

void output_window::output_line_added(const std::string& text, int colour) {
    append(make_output_row(make_status_row(text, colour)));
}

void output_window::output_hop_added(const hop_rec& hop) {
    append(make_output_row(hop));
}

void output_window::output_reloaded(const std::vector<hop_rec>& rows) {
    model_->set_rows(output_rows(rows));
    table_->scrollToBottom();
}

// The stored rows are the last lines; lines before them were shown but not stored.
void output_window::output_hop_changed(std::size_t row, std::size_t rows, const hop_rec& hop) {
    const auto lines = static_cast<std::size_t>(line_count());
    if (rows > lines || row >= rows) return;
    model_->replace(static_cast<int>(lines - rows + row), make_output_row(hop));
}

void output_window::append(output_row row) {
    model_->append(std::move(row));
    table_->scrollToBottom();
}

// The first real size shows the saved widths; every later one shares the width equally, as
// the saved widths too.
void output_window::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (event->size().height() == 0) return;
    if (first_size_) {
        first_size_ = false;
        apply_widths();
        return;
    }
    widths_.fill((event->size().width() - scroll_bar_room) / output_column_count);
    apply_widths();
    emit widths_changed(widths_);
}

void output_window::apply_widths() {
    applying_widths_ = true;
    for (int column = 0; column < output_column_count; ++column)
        table_->setColumnWidth(column, widths_[static_cast<std::size_t>(column)]);
    applying_widths_ = false;
}

void output_window::store_dragged_width(int column, int width) {
    if (applying_widths_ || column < 0 || column >= output_column_count) return;
    widths_[static_cast<std::size_t>(column)] = width;
    emit widths_changed(widths_);
}

} // namespace hoplot
