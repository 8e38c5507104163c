#include "map/ui/map_window.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "base/show_message.h"
#include "map/hop_hit.h"
#include "map/map_files.h"
#include "map/map_frame.h"
#include "map/paint_map.h"
#include "map/route_drawing.h"
#include "map/ui/detail_level_loader.h"
#include "map/ui/missing_maps_dialog.h"
#include "map/view_history.h"
#include "map/view_input.h"
#include "picture/map_picture.h"
#include "picture/painter_canvas.h"
#include "platform/thread_priority.h"
#include "trace/trace_store.h"

namespace hoplot {
namespace {

constexpr int wheel_notch = 120;
const QString ready_text = QStringLiteral("Ready");

pixel_point pixel_of(QPoint p) {
    return {p.x(), p.y()};
}

std::optional<scroll_step> step_of(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return scroll_step::line_back;
    case QAbstractSlider::SliderSingleStepAdd:
        return scroll_step::line_forward;
    case QAbstractSlider::SliderPageStepSub:
        return scroll_step::page_back;
    case QAbstractSlider::SliderPageStepAdd:
        return scroll_step::page_forward;
    default:
        return std::nullopt;
    }
}

// A thumb let go, dragged by the wheel or sent to an end: the view follows the bar's position.
// A thumb still being dragged only shows where it would go.
bool moves_to_position(const QScrollBar& bar, int action) {
    if (action == QAbstractSlider::SliderMove) return !bar.isSliderDown();
    return action == QAbstractSlider::SliderToMinimum || action == QAbstractSlider::SliderToMaximum;
}

// The bar over `extent` world pixels, of which the client area shows `page`.
void set_bar(QScrollBar& bar, int extent, int page, int position) {
    bar.setPageStep(std::max(1, page));
    bar.setRange(0, std::max(0, extent - page));
    bar.setValue(position);
}

// An image of `size` device pixels for a widget of that pixel ratio.
QImage new_picture(QSize size, qreal ratio) {
    QImage picture(size, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

} // namespace

map_window::map_window(map_view view, view_history& history, QWidget* parent)
    : QAbstractScrollArea(parent), view_(std::move(view)), history_(history) {
    setAccessibleName(QStringLiteral("Map"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalScrollBar()->setAccessibleName(QStringLiteral("Map horizontal scroll"));
    verticalScrollBar()->setAccessibleName(QStringLiteral("Map vertical scroll"));
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::CrossCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setTracking(false);
        bar->setSingleStep(1);
    }
    verticalScrollBar()->setEnabled(false);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            &map_window::horizontal_action);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &map_window::vertical_action);
    connect(horizontalScrollBar(), &QScrollBar::sliderMoved, this, [this](int position) {
        emit status_text(QString::fromStdString(
            longitude_track_text(view_, position, horizontalScrollBar()->pageStep())));
    });
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int position) {
        emit status_text(QString::fromStdString(
            latitude_track_text(view_, position, verticalScrollBar()->pageStep())));
    });
}

map_window::~map_window() = default;

void map_window::load_detail_levels(const std::string& db_path,
                                    std::function<void(const std::string&)> wrong_data) {
    loader_ = std::make_unique<detail_level_loader>(
        db_path, view_.max_level, [this, wrong_data = std::move(wrong_data)](detail_levels levels) {
            if (levels.wrong_grid)
                wrong_data(*levels.wrong_grid);
            else
                add_detail_levels(std::move(levels));
        });
}

void map_window::add_detail_levels(detail_levels levels) {
    // The flat map above the Low level was drawn with the data of a level below its own.
    const bool stood_in = !view_.globe_mode && view_.level > 0;
    hoplot::add_detail_levels(view_, std::move(levels));
    const int zoom = view_.zoom;
    update_zoom(view_, *this);
    if (!stood_in && view_.zoom == zoom) return;
    redraw();
    update_scroll_bars();
}

void map_window::redraw() {
    render_image();
    viewport()->update();
    emit view_redrawn();
}

void map_window::render_image() {
    take_first_picture();
    const qreal ratio = devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    if (size.isEmpty()) return;
    if (image_.size() != size || image_.devicePixelRatio() != ratio)
        image_ = new_picture(size, ratio);
    // The store's route may have been rebuilt, begun anew or dropped since the last picture.
    if (store_) view_.current_route = store_->current_route();
    draw_map_picture(image_, view_);
}

// The first picture is drawn while the window shows itself, on a thread of its own and from a
// copy of the view; the picture is taken at the first paint, redraw or drawing over it. A route
// to draw stays on the GUI thread: the store may rebuild it meanwhile.
void map_window::start_first_picture() {
    if (store_) view_.current_route = store_->current_route();
    const qreal ratio = devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    if (view_.current_route != nullptr || size.isEmpty()) {
        redraw();
        return;
    }
    first_picture_ = std::async(std::launch::async, [view = view_, size, ratio]() mutable {
        lower_this_thread_priority();
        first_picture drawn{new_picture(size, ratio), 0};
        draw_map_picture(drawn.image, view);
        drawn.level = view.level;
        return drawn;
    });
    viewport()->update();
    emit view_redrawn();
}

void map_window::take_first_picture() {
    if (!first_picture_.valid()) return;
    first_picture drawn = first_picture_.get();
    image_ = std::move(drawn.image);
    view_.level = drawn.level;
}

// The thumbs span the region, which the frame shows.
void map_window::update_scroll_bars() {
    QScrollBar* vertical = verticalScrollBar();
    if (visible_height(view_) >= view_.world_h) {
        vertical->setEnabled(false);
    } else {
        vertical->setEnabled(true);
        set_bar(*vertical, view_.world_h, visible_height(view_), view_.top);
    }
    // The thumb stays in its lap of the three world widths.
    const int position = horizontalScrollBar()->value();
    set_bar(*horizontalScrollBar(), 3 * view_.world_w, visible_width(view_),
            position - position % std::max(1, view_.world_w) + view_.left);
}

void map_window::map_repainted() {
    redraw();
}

void map_window::hop_dot_drawn(map_point at, bool on_screen) {
    draw_live(on_screen, [&](canvas& surface) { mark_hop(surface, view_, at); });
}

void map_window::route_line_drawn(map_point from, map_point to, bool on_screen) {
    draw_live(on_screen, [&](canvas& surface) { join_hops(surface, view_, from, to); });
}

void map_window::hop_label_drawn(const std::string& text, int label_index, int kind, map_point at,
                                 bool on_screen) {
    draw_live(on_screen,
              [&](canvas& surface) { label_hop(surface, view_, text, label_index, kind, at); });
}

void map_window::draw_live(bool on_screen, const std::function<void(canvas&)>& draw) {
    take_first_picture();
    if (image_.isNull()) return;
    {
        QPainter painter(&image_);
        painter_canvas surface(painter);
        clip_to_map_area(surface, view_);
        draw(surface);
    }
    if (on_screen) viewport()->update();
}

void map_window::paintEvent(QPaintEvent*) {
    take_first_picture();
    if (image_.devicePixelRatio() != devicePixelRatioF()) render_image();
    QPainter painter(viewport());
    painter.drawImage(0, 0, image_);
    if (!banding_) return;
    // Dark dashes over a light line show on every colour of the map.
    const QRect band =
        QRect(QPoint(band_start_.x, band_start_.y), QPoint(band_end_.x, band_end_.y)).normalized();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::white);
    painter.drawRect(band);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(band);
}

// A new size keeps what the map shows in its middle and its zoom; it is no undo step.
void map_window::resizeEvent(QResizeEvent*) {
    // Both the frame and its viewport report a resize; the view is fitted once per size.
    const QSize size = viewport()->size();
    if (size.height() == 0 || size == sized_) return;
    const bool first = sized_.isEmpty();
    sized_ = size;
    resize_view(view_, size.width(), size.height(), *this);
    // Three world widths, the thumb starting in the middle one, to scroll round the world
    // either way.
    if (first) set_bar(*horizontalScrollBar(), 3 * view_.world_w, view_.world_w, view_.world_w);
    update_scroll_bars();
    if (first)
        start_first_picture();
    else
        redraw();
}

void map_window::horizontal_action(int action) {
    QScrollBar* bar = horizontalScrollBar();
    if (const auto step = step_of(action)) {
        scroll_x(view_, history_, *step, bar->pageStep());
    } else if (moves_to_position(*bar, action)) {
        scroll_x_to(view_, history_, bar->sliderPosition());
    } else {
        return;
    }
    scrolled();
}

void map_window::vertical_action(int action) {
    QScrollBar* bar = verticalScrollBar();
    // The keyboard reaches a disabled bar too: the whole world's height does not scroll.
    if (!bar->isEnabled()) return;
    if (const auto step = step_of(action)) {
        scroll_y(view_, history_, *step, bar->pageStep());
    } else if (moves_to_position(*bar, action)) {
        scroll_y_to(view_, history_, bar->sliderPosition());
    } else {
        return;
    }
    scrolled();
}

void map_window::scrolled() {
    redraw();
    emit status_text(ready_text);
}

void map_window::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    pressed_row_.reset();
    const std::vector<std::size_t> hops = hops_under(at);
    if (const auto* rows = current_rows(); rows && !hops.empty())
        pressed_row_ = row_of_hop(*rows, hops.front());
    // A click on a hop selects it even while the globe turns.
    if (pressed_row_ && view_.rotating) return;
    // Beside the flat map's world there is nothing to zoom into.
    if (!map_area(view_).contains(pixel_of(at))) return;
    if (refuse_zoom_while_rotating(view_, *this)) return;
    band_start_ = band_end_ = pixel_of(at);
    pressing_ = true;
    banding_ = false;
}

// The band shows once the pointer has moved the platform's drag distance; a smaller move is a
// click.
bool map_window::beyond_click(QPoint at) const {
    const QPoint start(band_start_.x, band_start_.y);
    return (at - start).manhattanLength() >= QApplication::startDragDistance();
}

void map_window::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouse_moved(at);
    if (!pressing_) return;
    banding_ = banding_ || beyond_click(at);
    if (!banding_) return;
    band_end_ = constrain_band_end(view_, band_start_, pixel_of(at));
    viewport()->update();
}

void map_window::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    bool zoomed = false;
    if (pressing_ && (banding_ || beyond_click(at))) {
        band_end_ = constrain_band_end(view_, band_start_, pixel_of(at));
        zoomed = zoom_to_band(view_, history_, band_start_, band_end_, *this);
    } else if (pressed_row_) {
        emit hop_clicked(*pressed_row_);
    }
    if (banding_) viewport()->update();
    pressing_ = banding_ = false;
    band_start_ = band_end_ = {};
    pressed_row_.reset();
    if (zoomed) {
        redraw();
        update_scroll_bars();
    }
}

void map_window::wheelEvent(QWheelEvent* event) {
    wheel_delta_ += event->angleDelta().y();
    const pixel_point at = pixel_of(event->position().toPoint());
    while (std::abs(wheel_delta_) >= wheel_notch) {
        const bool in = wheel_delta_ > 0;
        wheel_delta_ -= in ? wheel_notch : -wheel_notch;
        if (!zoom_step(at, in)) {
            wheel_delta_ = 0;
            break;
        }
    }
    event->accept();
}

// The keyboard's wheel: + and - zoom about the middle of the map.
void map_window::keyPressEvent(QKeyEvent* event) {
    const bool in = event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal;
    if (!in && event->key() != Qt::Key_Minus) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    zoom_step({view_.client_w / 2, view_.client_h / 2}, in);
    event->accept();
}

bool map_window::zoom_step(pixel_point at, bool in) {
    if (refuse_zoom_while_rotating(view_, *this)) return false;
    if (zoom_about(view_, history_, at, in, *this)) {
        redraw();
        update_scroll_bars();
    }
    return true;
}

bool map_window::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const auto* rows = current_rows();
    const std::string text = rows ? hop_tip_text(*rows, hops_under(help->pos())) : std::string();
    if (text.empty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), QString::fromStdString(text), viewport());
    }
    return true;
}

std::vector<std::size_t> map_window::hops_under(QPoint at) const {
    const route_rec* route = store_ ? store_->current_route() : view_.current_route;
    if (!route) return {};
    return hops_at(view_, *route, pixel_of(at));
}

const std::vector<hop_rec>* map_window::current_rows() const {
    if (!store_) return nullptr;
    const std::optional<std::size_t> current = store_->current_trace();
    if (!current || *current >= store_->traces().size()) return nullptr;
    return &store_->traces()[*current].rows;
}

void map_window::check_map_mode(bool globe) {
    emit map_mode_checked(globe);
}

void map_window::show_message(const std::string& text) {
    ShowMessage(text);
}

void map_window::show_missing_maps() {
    missing_maps_dialog dialog(this);
    dialog.exec();
}

} // namespace hoplot
