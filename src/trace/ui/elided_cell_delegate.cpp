#include "trace/ui/elided_cell_delegate.h"

#include <QApplication>
#include <QStyle>

#include "trace/output_row.h"

namespace hoplot {

void elided_cell_delegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QFontMetrics& metrics = option->fontMetrics;
    const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
    // The style draws the text inside this margin on either side of the cell.
    const int margin =
        style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
    // The text shares the cell with the mark of a position's source.
    const QRect text_rect =
        style->subElementRect(QStyle::SE_ItemViewItemText, option, option->widget);
    const int room = text_rect.width() - 2 * margin;
    const std::string shortened =
        shorten_cell_text(option->text.toStdString(), room, [&](const std::string& text) {
            return metrics.horizontalAdvance(QString::fromStdString(text));
        });
    option->text = QString::fromStdString(shortened);
    option->textElideMode = Qt::ElideNone;
}

} // namespace hoplot
