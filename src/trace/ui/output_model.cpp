#include "trace/ui/output_model.h"

#include <QColor>

namespace hoplot {
namespace {

const char* const headers[output_column_count] = {"Name", "Ip Number", "Geographical Location",
                                                  "Time taken"};

} // namespace

QColor to_qcolor(int colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int output_model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int output_model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : output_column_count;
}

QVariant output_model::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const output_row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(row.cells[static_cast<std::size_t>(index.column())]);
    case Qt::ForegroundRole:
        return to_qcolor(row.colour);
    case Qt::BackgroundRole:
        return QColor(Qt::white);
    default:
        return {};
    }
}

QVariant output_model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= output_column_count) return {};
    return QString::fromUtf8(headers[section]);
}

void output_model::append(output_row row) {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void output_model::set_rows(std::vector<output_row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

} // namespace hoplot
