#pragma once

#include <QWidget>
#include <array>

class QScrollBar;

namespace hoplot {

// The column right of the map: overview, toolbar, information box and trace list, one below
// the other in 680 pixels; a shorter panel scrolls them in five positions.
class panel : public QWidget {
    Q_OBJECT

  public:
    panel(QWidget* overview, QWidget* tools, QWidget* information, QWidget* trace_list,
          QWidget* parent = nullptr);

    QScrollBar* scroll_bar() const { return bar_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void lay_out();

    QWidget* content_;
    QScrollBar* bar_;
    std::array<QWidget*, 4> children_;
};

} // namespace hoplot
