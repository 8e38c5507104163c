#include "trace/ui/output_model.h"

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <map>

#include "base/ui/resources.h"

namespace hoplot {
namespace {

const char* const headers[output_column_count] = {"Name", "Ip Number", "Geographical Location",
                                                  "Time taken", "Network"};

// The source's mark with a warning sign over its lower right corner, at the sizes a view asks.
QIcon doubted_icon(const QIcon& source) {
    QIcon doubted;
    const QIcon warning(QStringLiteral(":/icons/doubt.svg"));
    for (const int side : {16, 32}) {
        QPixmap picture(side, side);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        source.paint(&painter, 0, 0, side, side);
        const int sign = side * 5 / 8;
        warning.paint(&painter, side - sign, side - sign, sign, sign);
        painter.end();
        doubted.addPixmap(picture);
    }
    return doubted;
}

// One small mark for each source, with or without the warning sign, made once.
QIcon source_icon(location_source source, bool doubtful) {
    static std::map<std::pair<location_source, bool>, QIcon> icons;
    const auto [at, added] = icons.try_emplace({source, doubtful});
    if (added) {
        init_resources();
        const QIcon plain(QStringLiteral(":/icons/source_%1.svg").arg(source_name(source)));
        at->second = doubtful ? doubted_icon(plain) : plain;
    }
    return at->second;
}

// The location cell of a hop says where its position came from, and why it is doubted.
QVariant source_data(const output_row& row, int role) {
    if (!row.source) return {};
    switch (role) {
    case Qt::DecorationRole:
        return source_icon(*row.source, row.doubtful);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return QString::fromStdString(row.source_tip);
    default:
        return {};
    }
}

// The network cell's whole text, which a narrow column cuts short.
QVariant network_data(const output_row& row, int role) {
    if (role != Qt::ToolTipRole || row.cells[network_column] == " ") return {};
    return QString::fromStdString(row.cells[network_column]);
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
        if (index.column() == location_column) return source_data(row, role);
        if (index.column() == network_column) return network_data(row, role);
        return {};
    }
}

QVariant output_model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= output_column_count) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(headers[section]);
    const bool noted = section == network_column && !network_note_.isEmpty();
    if (noted && (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole))
        return network_note_;
    return {};
}

void output_model::set_network_note(const QString& note) {
    network_note_ = note;
    emit headerDataChanged(Qt::Horizontal, network_column, network_column);
}

void output_model::append(output_row row) {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void output_model::replace(int line, output_row row) {
    if (line < 0 || line >= rowCount()) return;
    rows_[static_cast<std::size_t>(line)] = std::move(row);
    emit dataChanged(index(line, 0), index(line, output_column_count - 1));
}

void output_model::set_rows(std::vector<output_row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

} // namespace hoplot
