#include "trace/ui/output_model.h"

#include <QColor>
#include <QIcon>
#include <map>

#include "base/ui/resources.h"

namespace hoplot {
namespace {

const char* const headers[output_column_count] = {"Name", "Ip Number", "Geographical Location",
                                                  "Time taken"};

// One small mark for each source, loaded once.
QIcon source_icon(location_source source) {
    static std::map<location_source, QIcon> icons;
    const auto [at, added] = icons.try_emplace(source);
    if (added) {
        init_resources();
        at->second = QIcon(QStringLiteral(":/icons/source_%1.svg").arg(source_name(source)));
    }
    return at->second;
}

// The location cell of a hop says where its position came from.
QVariant source_data(const output_row& row, int role) {
    if (!row.source) return {};
    switch (role) {
    case Qt::DecorationRole:
        return source_icon(*row.source);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return QString::fromUtf8(source_description(*row.source));
    default:
        return {};
    }
}

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
        return index.column() == location_column ? source_data(row, role) : QVariant();
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
