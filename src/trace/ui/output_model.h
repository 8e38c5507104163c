#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "trace/output_row.h"

namespace hoplot {

// The output window's lines for the view and for assistive technology: the cell texts, each
// line's colour on white.
class output_model : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void append(output_row row);
    void replace(int line, output_row row);
    void set_rows(std::vector<output_row> rows);
    // Why the Network column is empty, for its header's tip; empty when it is not.
    void set_network_note(const QString& note);

  private:
    std::vector<output_row> rows_;
    QString network_note_;
};

// The program's 0x00BBGGRR colour values for Qt.
QColor to_qcolor(int colour);

} // namespace hoplot
