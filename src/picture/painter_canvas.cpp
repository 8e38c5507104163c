#include "picture/painter_canvas.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QVarLengthArray>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "picture/cell_font.h"

namespace hoplot {
namespace {

QColor to_qcolor(int colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Antialiased drawing puts a pixel's centre at +0.5: a one-pixel line through the centres stays
// one pixel wide where it runs straight.
QPointF centre_of(pixel_point p) {
    return {p.x + 0.5, p.y + 0.5};
}

struct kept_picture {
    std::string key;
    qreal pixel_ratio;
    QImage image;
};

// Newest last; a handful covers the globe at a few window sizes.
constexpr std::size_t kept_pictures = 4;
thread_local std::vector<kept_picture> picture_store;

} // namespace

painter_canvas::painter_canvas(QPainter& painter) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing);
    // The device's area in the painter's coordinates, which a kept picture shifts.
    const QPaintDevice* device = painter_.device();
    const qreal ratio = device->devicePixelRatioF();
    visible_ = painter_.transform().inverted().mapRect(
        QRect(0, 0, qCeil(device->width() / ratio), qCeil(device->height() / ratio)));
}

void painter_canvas::set_pen(const pen& p) {
    if (p.style == pen_style::none) {
        painter_.setPen(Qt::NoPen);
        return;
    }
    // One pixel wide on a scaled picture too.
    QPen line_pen(to_qcolor(p.colour), 1);
    line_pen.setCosmetic(true);
    painter_.setPen(line_pen);
    dashed_ = p.style == pen_style::dash;
}

void painter_canvas::set_brush(const brush& b) {
    if (b.style == brush_style::none)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(to_qcolor(b.colour));
}

const QFont& painter_canvas::cell_font(int height, const std::string& face) {
    const auto key = std::make_pair(height, face);
    if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    return fonts_.emplace(key, cell_height_font(height, face)).first->second;
}

void painter_canvas::set_font(const font& f) {
    font_ = cell_font(f.height, f.face);
    escapement_ = f.escapement;
}

void painter_canvas::fill_rect(int left, int top, int right, int bottom, int colour) {
    painter_.fillRect(left, top, right - left, bottom - top, to_qcolor(colour));
}

void painter_canvas::line(pixel_point from, pixel_point to) {
    const pixel_point ends[] = {from, to};
    polyline(ends);
}

void painter_canvas::polyline(std::span<const pixel_point> points) {
    if (dashed_) {
        dashed_polyline(points);
        return;
    }
    QVarLengthArray<QPointF, 256> qpoints;
    qpoints.reserve(static_cast<qsizetype>(points.size()));
    for (const pixel_point& p : points)
        qpoints.append(centre_of(p));
    painter_.drawPolyline(qpoints.data(), static_cast<int>(qpoints.size()));
}

// Qt strokes dashed lines as outlines to fill, several times slower than plain lines; the
// dashes (18 pixels on, 6 off, running on from one segment to the next) are cut here instead.
void painter_canvas::dashed_polyline(std::span<const pixel_point> points) {
    constexpr double on = 18, period = 24, max_dashed_length = 1 << 16;
    QVarLengthArray<QLineF, 256> dashes;
    double phase = 0; // how far into the current period the line has come
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPointF a = centre_of(points[i - 1]), b = centre_of(points[i]);
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const auto at = [&](double t) { return a + (b - a) * (t / length); };
        // Map data never comes near this; it keeps a line to a far-off point from being cut
        // into millions of dashes.
        if (length > max_dashed_length) {
            dashes.append(QLineF(a, b));
            continue;
        }
        for (double t = 0; t < length;) {
            const bool drawn = phase < on;
            const double boundary = drawn ? on : period;
            const double step = std::min(length - t, boundary - phase);
            if (drawn) dashes.append(QLineF(at(t), at(t + step)));
            t += step;
            phase += step;
            // Snapped at the boundary, so that rounding can never leave a step of nothing.
            if (phase >= boundary - 1e-9) phase = drawn ? on : 0;
        }
    }
    painter_.drawLines(dashes.data(), static_cast<int>(dashes.size()));
}

void painter_canvas::ellipse(int left, int top, int right, int bottom) {
    if (right < visible_.left() || bottom < visible_.top() || left > visible_.right() + 1 ||
        top > visible_.bottom() + 1)
        return;
    painter_.drawEllipse(QRectF(centre_of({left, top}), QSizeF(right - left, bottom - top)));
}

int painter_canvas::line_height() {
    const QFontMetrics metrics(font_);
    return metrics.height() + metrics.leading();
}

void painter_canvas::text(pixel_point at, const std::string& text, int colour, text_align align) {
    const QString qtext = QString::fromStdString(text);
    // Most city names of a zoomed map lie far off the picture; no character is wider than two
    // ems, so a text whose anchor is further off than that many ems cannot show.
    const int reach = (static_cast<int>(qtext.size()) + 1) * 2 * font_.pixelSize();
    if (at.x < visible_.left() - reach || at.y < visible_.top() - reach ||
        at.x > visible_.right() + 1 + reach || at.y > visible_.bottom() + 1 + reach)
        return;
    const QFontMetrics metrics(font_);
    const QPen line_pen = painter_.pen();
    painter_.setFont(font_);
    painter_.setPen(to_qcolor(colour));
    const int x = align == text_align::right_top ? -metrics.horizontalAdvance(qtext) : 0;
    if (escapement_ == 0) {
        painter_.drawText(QPoint(at.x + x, at.y + metrics.ascent()), qtext);
    } else {
        painter_.save();
        painter_.translate(at.x, at.y);
        // The escapement turns counter-clockwise on the screen; QPainter turns clockwise.
        painter_.rotate(-escapement_ / 10.0);
        painter_.drawText(QPoint(x, metrics.ascent()), qtext);
        painter_.restore();
    }
    painter_.setPen(line_pen);
}

void painter_canvas::set_clip(int left, int top, int right, int bottom) {
    const QRect clip(left, top, right - left, bottom - top);
    painter_.setClipRect(clip);
    visible_ = visible_.intersected(clip);
}

void painter_canvas::reusable(const std::string& key, int left, int top, int right, int bottom,
                              const std::function<void(canvas&)>& draw) {
    if (right <= left || bottom <= top) return;
    const qreal ratio = painter_.device()->devicePixelRatioF();
    auto found = std::find_if(picture_store.begin(), picture_store.end(), [&](const auto& kept) {
        return kept.key == key && kept.pixel_ratio == ratio;
    });
    if (found == picture_store.end()) {
        QImage image(QSize(right - left, bottom - top) * ratio,
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.translate(-left, -top);
            painter_canvas inner(painter);
            draw(inner);
        }
        if (picture_store.size() == kept_pictures) picture_store.erase(picture_store.begin());
        picture_store.push_back({key, ratio, std::move(image)});
        found = picture_store.end() - 1;
    }
    painter_.drawImage(QPoint(left, top), found->image);
}

} // namespace hoplot
