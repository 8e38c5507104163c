#pragma once

#include <functional>
#include <span>
#include <string>

#include "map/map_view.h"

namespace hoplot {

enum class pen_style { solid, dash, none };

// Colours are the program's 0x00BBGGRR values; the canvas converts them.
struct pen {
    int colour = 0;
    pen_style style = pen_style::solid;
    bool operator==(const pen&) const = default;
};

enum class brush_style { solid, none };

struct brush {
    int colour = 0;
    brush_style style = brush_style::solid;
    bool operator==(const brush&) const = default;
};

// height: the character cell height in pixels; escapement: the direction of the text's base
// line in tenths of a degree, counter-clockwise from east on the screen.
struct font {
    int height = 0;
    int escapement = 0;
    std::string face;
    bool operator==(const font&) const = default;
};

// Where the position given to text() lies on the text: its top left or its top right corner
// (top and left taken along the turned text).
enum class text_align { left_top, right_top };

// The few drawing operations the map needs. Lines and ellipse outlines use the selected pen,
// ellipse fills the selected brush, text the selected font; nothing is drawn with a "none" pen
// or brush.
class canvas {
  public:
    virtual ~canvas() = default;

    virtual void set_pen(const pen& p) = 0;
    virtual void set_brush(const brush& b) = 0;
    virtual void set_font(const font& f) = 0;

    // Fills the rectangle from (left, top) up to but excluding (right, bottom).
    virtual void fill_rect(int left, int top, int right, int bottom, int colour) = 0;
    virtual void line(pixel_point from, pixel_point to) = 0;
    // Joins consecutive points; one call for a whole run of connected segments.
    virtual void polyline(std::span<const pixel_point> points) = 0;
    // The ellipse inscribed in the box from (left, top) to (right, bottom).
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // Text height plus external leading of the selected font.
    virtual int line_height() = 0;
    virtual void text(pixel_point at, const std::string& text, int colour, text_align align) = 0;
    // Everything drawn afterwards is cut to the rectangle from (left, top) up to but excluding
    // (right, bottom).
    virtual void set_clip(int left, int top, int right, int bottom) = 0;

    // Draws what `draw` draws inside the box from (left, top) to (right, bottom); the drawing
    // must depend on nothing but `key`. A canvas may keep the picture and put it again for the
    // same key instead of drawing it anew.
    virtual void reusable(const std::string& /*key*/, int /*left*/, int /*top*/, int /*right*/,
                          int /*bottom*/, const std::function<void(canvas&)>& draw) {
        draw(*this);
    }
};

} // namespace hoplot
