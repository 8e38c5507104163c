#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "map/canvas.h"

namespace hoplot {

inline void PrintTo(const pixel_point& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}

} // namespace hoplot

namespace hoplot::test {

// A canvas that keeps what was drawn with the pen, brush and font in force. Polylines are kept
// as their segments; `order` numbers every drawing across all kinds so that layering can be
// checked.
struct recording_canvas final : canvas {
    struct segment {
        pixel_point from, to;
        hoplot::pen pen;
        std::size_t order;
    };
    struct oval {
        int left, top, right, bottom;
        hoplot::pen pen;
        hoplot::brush brush;
        std::size_t order;
        pixel_point centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
        int radius() const { return (right - left) / 2; }
    };
    struct label {
        pixel_point at;
        std::string text;
        int colour;
        text_align align;
        hoplot::font font;
        std::size_t order;
    };
    struct fill {
        int left, top, right, bottom, colour;
        std::size_t order;
    };
    std::vector<segment> segments;
    std::vector<oval> ovals;
    std::vector<label> labels;
    std::vector<fill> fills;
    std::vector<fill> clips; // colour unused
    int height_of_line = 10; // what line_height() answers
    hoplot::pen pen;
    hoplot::brush brush;
    hoplot::font font;
    std::size_t drawn = 0;

    void set_pen(const hoplot::pen& p) override { pen = p; }
    void set_brush(const hoplot::brush& b) override { brush = b; }
    void set_font(const hoplot::font& f) override { font = f; }
    void fill_rect(int left, int top, int right, int bottom, int colour) override {
        fills.push_back({left, top, right, bottom, colour, drawn++});
    }
    void line(pixel_point from, pixel_point to) override {
        segments.push_back({from, to, pen, drawn++});
    }
    void polyline(std::span<const pixel_point> points) override {
        for (std::size_t i = 1; i < points.size(); ++i)
            line(points[i - 1], points[i]);
    }
    void ellipse(int left, int top, int right, int bottom) override {
        ovals.push_back({left, top, right, bottom, pen, brush, drawn++});
    }
    int line_height() override { return height_of_line; }
    void text(pixel_point at, const std::string& text, int colour, text_align align) override {
        labels.push_back({at, text, colour, align, font, drawn++});
    }
    void set_clip(int left, int top, int right, int bottom) override {
        clips.push_back({left, top, right, bottom, 0, drawn++});
    }
};

} // namespace hoplot::test
