#pragma once

#include <QStyledItemDelegate>

namespace hoplot {

// Draws a cell's text shortened with "..." to fit its column, never into the next one.
class elided_cell_delegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace hoplot
