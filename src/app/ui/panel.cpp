#include "app/ui/panel.h"

#include <QScrollBar>

#include "app/panel_layout.h"

namespace hoplot {

panel::panel(QWidget* overview, QWidget* tools, QWidget* information, QWidget* trace_list,
             QWidget* parent)
    : QWidget(parent), content_(new QWidget(this)),
      bar_(new QScrollBar(Qt::Vertical, this)), children_{overview, tools, information,
                                                          trace_list} {
    setAccessibleName(QStringLiteral("Panel"));
    for (QWidget* child : children_)
        child->setParent(content_);
    bar_->setRange(0, panel_scroll_positions);
    bar_->setSingleStep(1);
    bar_->setPageStep(1);
    bar_->setAccessibleName(QStringLiteral("Panel scroll bar"));
    connect(bar_, &QScrollBar::valueChanged, this, [this] { lay_out(); });
}

void panel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lay_out();
}

void panel::lay_out() {
    const int ph = height();
    if (ph == 0) return;
    const bool scrolls = panel_scrolls(ph);
    bar_->setVisible(scrolls);
    bar_->setEnabled(scrolls);
    const int bar_width = scrolls ? bar_->sizeHint().width() : 0;
    const int pw = width() - bar_width;
    bar_->setGeometry(pw, 0, bar_width, ph);
    const int offset = scrolls ? panel_scroll_step(ph) * bar_->value() : 0;
    content_->setGeometry(0, -offset, pw, panel_content_height);
    const auto places = panel_children(pw);
    for (std::size_t i = 0; i < places.size(); ++i)
        children_[i]->setGeometry(places[i].x, places[i].y, places[i].width, places[i].height);
}

} // namespace hoplot
