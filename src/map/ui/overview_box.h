#pragma once

#include <QPoint>
#include <QWidget>
#include <memory>

#include "map/map_view.h"

class QGroupBox;

namespace hoplot {

class overview_picture;

// The small world in the panel with the map's visible region outlined in yellow and a green
// cross-hair at the point under the mouse. Passive: the map window keeps it up to date.
class overview_box : public QWidget {
  public:
    // The picture is drawn from the Low coastlines of maps.
    explicit overview_box(std::shared_ptr<const map_data> maps, QWidget* parent = nullptr);

    // The visible region's rectangles, after every full redraw of the map.
    void refresh(const map_view& view);
    // The cross-hair for the mouse over the map window, in its viewport coordinates.
    void set_mouse(const map_view& view, QPoint client_position);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QGroupBox* box_;
    overview_picture* picture_;
    map_view last_view_; // the rectangles are placed again when the picture changes size
};

} // namespace hoplot
