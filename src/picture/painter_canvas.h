#pragma once

#include <QFont>
#include <QRect>
#include <map>
#include <string>
#include <utility>

#include "map/canvas.h"

class QPainter;

namespace hoplot {

// The canvas over a QPainter: an off-screen QImage for the map's picture and the command line,
// or the map window itself for live drawing. Needs a QGuiApplication for text.
class painter_canvas final : public canvas {
  public:
    explicit painter_canvas(QPainter& painter);

    void set_pen(const pen& p) override;
    void set_brush(const brush& b) override;
    void set_font(const font& f) override;
    void fill_rect(int left, int top, int right, int bottom, int colour) override;
    void line(pixel_point from, pixel_point to) override;
    void polyline(std::span<const pixel_point> points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    int line_height() override;
    void text(pixel_point at, const std::string& text, int colour, text_align align) override;
    void set_clip(int left, int top, int right, int bottom) override;
    // Keeps the last few pictures (per key and device pixel ratio) for every canvas of the
    // thread, so that a redraw puts them again with one image copy.
    void reusable(const std::string& key, int left, int top, int right, int bottom,
                  const std::function<void(canvas&)>& draw) override;

  private:
    const QFont& cell_font(int height, const std::string& face);
    void dashed_polyline(std::span<const pixel_point> points);

    QPainter& painter_;
    QRect visible_; // the device, cut by the clip: what lies wholly outside is not drawn
    QFont font_;
    int escapement_ = 0;
    bool dashed_ = false;
    std::map<std::pair<int, std::string>, QFont> fonts_;
};

} // namespace hoplot
