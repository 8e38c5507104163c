#include "trace/ui/trace_list_window.h"

#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/show_message.h"

namespace hoplot {

trace_list_window::trace_list_window(trace_store& store, std::function<bool()> trace_running,
                                     QWidget* parent)
    : QGroupBox(QStringLiteral("Trace List"), parent), store_(store),
      trace_running_(std::move(trace_running)), list_(new QListWidget(this)),
      menu_(new QMenu(this)) {
    list_->setAccessibleName(QStringLiteral("Traces"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Measuring every name of a long file at once would hold the window up; a thousand at a
    // time lets it answer in between.
    list_->setLayoutMode(QListView::Batched);
    list_->setBatchSize(1000);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    // A right click on a scroll bar opens no menu at all.
    list_->horizontalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    list_->verticalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);

    menu_->setAccessibleName(QStringLiteral("Trace"));
    menu_->addAction(QStringLiteral("Delete Trace"), this, &trace_list_window::delete_menu_line);
    list_->viewport()->installEventFilter(this);
    connect(list_, &QListWidget::itemSelectionChanged, this, &trace_list_window::picked);
    connect(list_, &QWidget::customContextMenuRequested, this, &trace_list_window::open_menu);
}

std::optional<std::size_t> trace_list_window::menu_line_at(QPoint at) const {
    if (list_->count() == 0) return std::nullopt;
    // Any x inside the lines: a short name leaves blank space to its right on the same line.
    const QRect first = list_->visualItemRect(list_->item(0));
    const QModelIndex line = list_->indexAt(QPoint(first.left() + 1, at.y()));
    if (!line.isValid()) return static_cast<std::size_t>(list_->count() - 1);
    return static_cast<std::size_t>(line.row());
}

bool trace_list_window::refused_while_tracing() const {
    if (!trace_running_()) return false;
    ShowMessage("Trace currently running");
    return true;
}

std::optional<std::size_t> trace_list_window::selected_line() const {
    const int row = list_->currentRow();
    if (row < 0 || !list_->item(row)->isSelected()) return std::nullopt;
    return static_cast<std::size_t>(row);
}

void trace_list_window::picked() {
    const auto line = selected_line();
    if (!line) return;
    // Refused, the highlight goes back to the trace shown, once the list has finished changing
    // it (the message box's event loop runs that at once).
    if (trace_running_())
        QMetaObject::invokeMethod(
            this, [this] { highlight_shown_trace(); }, Qt::QueuedConnection);
    if (!refused_while_tracing()) store_.rebuild_route(*line);
}

// The trace being built, or none before its first hop.
void trace_list_window::highlight_shown_trace() {
    if (const auto shown = store_.current_trace())
        trace_line_selected(*shown);
    else
        trace_lines_deselected();
}

// A right click opens the menu only: pressing would first select the line, showing its trace.
bool trace_list_window::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() &&
        (event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonDblClick) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        return true;
    return QGroupBox::eventFilter(watched, event);
}

void trace_list_window::show_selected() {
    const auto line = selected_line();
    if (line && !trace_running_()) store_.rebuild_route(*line);
}

void trace_list_window::open_menu(QPoint at) {
    const auto line = menu_line_at(at);
    if (!line) return;
    menu_line_ = *line;
    menu_->popup(list_->viewport()->mapToGlobal(at));
}

void trace_list_window::delete_menu_line() {
    if (refused_while_tracing()) return;
    store_.delete_trace(menu_line_);
    if (store_.trace_count() > 0)
        store_.select_trace(static_cast<std::size_t>(store_.trace_count() - 1));
}

void trace_list_window::trace_line_appended(const std::string& name) {
    const QSignalBlocker quiet(list_);
    list_->addItem(QString::fromStdString(name));
}

// One insertion for them all: a file may bring thousands.
void trace_list_window::trace_lines_appended(const std::vector<std::string>& names) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names)
        lines.append(QString::fromStdString(name));
    const QSignalBlocker quiet(list_);
    list_->addItems(lines);
}

void trace_list_window::trace_line_removed(std::size_t index) {
    const QSignalBlocker quiet(list_);
    delete list_->takeItem(static_cast<int>(index));
}

void trace_list_window::trace_lines_cleared() {
    const QSignalBlocker quiet(list_);
    list_->clear();
}

// Selections made by the program are not the user's: they show nothing by themselves.
void trace_list_window::trace_line_selected(std::size_t index) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(static_cast<int>(index));
}

void trace_list_window::trace_lines_deselected() {
    const QSignalBlocker quiet(list_);
    list_->clearSelection();
}

} // namespace hoplot
