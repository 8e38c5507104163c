#include "map/ui/information_box.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QResizeEvent>
#include <algorithm>

#include "map/map_view.h"
#include "picture/cell_font.h"

namespace hoplot {
namespace {

int height_with_leading(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.height() + metrics.leading();
}

// The read-outs' font; the title font only measures the rows' spacing.
QFont body_font() {
    return cell_height_font(15, "Arial");
}

QFont title_font() {
    QFont font = cell_height_font(20, "Arial");
    font.setUnderline(true);
    return font;
}

} // namespace

information_box::information_box(QWidget* parent)
    : QWidget(parent), information_box_(new QGroupBox(tr("Information"), this)),
      centre_box_(new QGroupBox(tr("View Centre"), this)),
      mouse_box_(new QGroupBox(tr("Mouse Coordinates"), this)),
      traces_caption_(add_label(QStringLiteral("# Traces : "))),
      traces_(add_label(QString::fromStdString(trace_count_text(0)))),
      zoom_caption_(add_label(QStringLiteral("Current Zoom : "))), zoom_(add_label({})),
      centre_(add_label({})), mouse_(add_label(QString::fromStdString(mouse_placeholder_text()))),
      title_height_(height_with_leading(title_font())),
      line_height_(height_with_leading(body_font())) {
    setAccessibleName(tr("Information"));
    // Assistive technology hears each value labelled by its caption.
    traces_caption_->setBuddy(traces_);
    zoom_caption_->setBuddy(zoom_);
    traces_caption_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    zoom_caption_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    centre_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    mouse_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

QLabel* information_box::add_label(const QString& text) {
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setFont(body_font());
    return label;
}

void information_box::refresh(const map_view& view) {
    zoom_->setText(QString::fromStdString(zoom_text(view.zoom)));
    centre_->setText(QString::fromStdString(view_centre_text(view)));
}

void information_box::set_mouse(const map_view& view, QPoint client_position) {
    const pixel_point client{client_position.x(), client_position.y()};
    mouse_->setText(QString::fromStdString(mouse_text(view, client, last_letters_)));
}

void information_box::trace_count_changed(int count) {
    traces_->setText(QString::fromStdString(trace_count_text(count)));
}

// The boxes and rows stand where the body and title fonts' heights put them; values start at
// the middle, their captions end just past it, unless the window is too narrow for a caption
// (the panel's scroll bar showing): then the values start where the longer caption ends.
void information_box::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width();
    const int line = line_height_;
    const int title = title_height_;
    const int information_h = 3 * line + 2 * title;
    information_box_->setGeometry(0, 0, w, information_h);
    centre_box_->setGeometry(0, information_h + line, w, 4 * line);
    mouse_box_->setGeometry(0, information_h + 6 * line, w, 4 * line);
    const int caption_width =
        std::max(traces_caption_->sizeHint().width(), zoom_caption_->sizeHint().width());
    const int middle = std::max(w / 2, caption_width - 10);
    const int first_row = title + 5;
    traces_caption_->setGeometry(0, first_row, middle + 10, line);
    traces_->setGeometry(middle + 5, first_row, w - middle - 5, line);
    zoom_caption_->setGeometry(0, first_row + 2 * line, middle + 10, line);
    zoom_->setGeometry(middle + 5, first_row + 2 * line, w - middle - 5, line);
    centre_->setGeometry(10, first_row + 7 * line, w - 10, line);
    mouse_->setGeometry(0, title + 12 * line + 5, w, line);
}

} // namespace hoplot
