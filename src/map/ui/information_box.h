#pragma once

#include <QPoint>
#include <QWidget>

#include "map/read_outs.h"
#include "trace/store_observer.h"

class QGroupBox;
class QLabel;

namespace hoplot {

struct map_view;

// The panel's read-outs: number of traces, zoom, the view's centre and the position under the
// mouse. Passive: the map window and the store keep it up to date. Every value is a label, so
// assistive technology reads what the eye sees.
class information_box : public QWidget, public store_observer {
  public:
    explicit information_box(QWidget* parent = nullptr);

    // Zoom and view centre, after every full redraw of the map.
    void refresh(const map_view& view);
    // The mouse over the map window, in the map window's viewport coordinates.
    void set_mouse(const map_view& view, QPoint client_position);

    void trace_count_changed(int count) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLabel* add_label(const QString& text);

    QGroupBox* information_box_;
    QGroupBox* centre_box_;
    QGroupBox* mouse_box_;
    QLabel* traces_caption_;
    QLabel* traces_;
    QLabel* zoom_caption_;
    QLabel* zoom_;
    QLabel* centre_;
    QLabel* mouse_;
    int title_height_;
    int line_height_;
    hemisphere_letters last_letters_;
};

} // namespace hoplot
