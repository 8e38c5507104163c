#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <cstddef>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "map/map_view.h"
#include "map/startup_data.h"
#include "trace/hop_rec.h"
#include "trace/store_observer.h"

namespace hoplot {

class canvas;
class detail_level_loader;
class trace_store;
class view_history;

// The map: shows the picture of its one map_view (drawn into an image on the GUI thread, the
// first one on a thread of its own while the window shows), and turns the scroll bars, the
// rubber band and the wheel into view changes, each one undo step.
class map_window : public QAbstractScrollArea, public store_observer, private map_view_listener {
    Q_OBJECT

  public:
    // `view` arrives with maps and cities loaded and its mode and layers set; the window sizes
    // it on its first resize.
    map_window(map_view view, view_history& history, QWidget* parent = nullptr);
    ~map_window() override;

    map_view& view() { return view_; }
    // For the commands that call view operations (mode switches, Reset View): this window
    // answers their requests for check marks, scroll bars and messages.
    map_view_listener& view_listener() { return *this; }
    // The rows that hop tips and clicks refer to: those of the store's current trace.
    void set_trace_store(const trace_store* store) { store_ = store; }

    // Reads the Medium and High levels from the data directory off the GUI thread, once the view
    // arrived with its Low level (load_first_level), and adds them when they are there; a file
    // with wrong data is handed to wrong_data instead, by its path below the data directory.
    void load_detail_levels(const std::string& db_path,
                            std::function<void(const std::string&)> wrong_data);
    // A picture that stood in for a level still being read is drawn anew; a level that turned
    // out missing cuts the zoom down to what is there, as zooming past it would.
    void add_detail_levels(detail_levels levels);

    // The full redraw: the picture anew, shown, then view_redrawn.
    void redraw();
    void update_scroll_bars() override;

    void map_repainted() override;
    void hop_dot_drawn(map_point at, bool on_screen) override;
    void route_line_drawn(map_point from, map_point to, bool on_screen) override;
    void hop_label_drawn(const std::string& text, int label_index, int kind, map_point at,
                         bool on_screen) override;

  signals:
    void view_redrawn();
    void mouse_moved(QPoint client_position);
    void status_text(const QString& text);
    void map_mode_checked(bool globe);
    void hop_clicked(std::size_t row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // The bars move the view, not the viewport's contents.
    void scrollContentsBy(int, int) override {}

  private:
    void check_map_mode(bool globe) override;
    void show_message(const std::string& text) override;
    void show_missing_maps() override;

    void horizontal_action(int action);
    void vertical_action(int action);
    void scrolled();
    // One zoom notch about a client point; false when a rotation refuses it.
    bool zoom_step(pixel_point at, bool in);
    bool beyond_click(QPoint at) const;
    void render_image();
    void start_first_picture();
    void take_first_picture();
    void draw_live(bool on_screen, const std::function<void(canvas&)>& draw);
    std::vector<std::size_t> hops_under(QPoint at) const;
    const std::vector<hop_rec>* current_rows() const;

    map_view view_;
    view_history& history_;
    const trace_store* store_ = nullptr;
    QImage image_;
    bool pressing_ = false; // the left button went down on the map
    bool banding_ = false;  // and has moved far enough to draw a band
    pixel_point band_start_;
    pixel_point band_end_;
    std::optional<std::size_t> pressed_row_;
    int wheel_delta_ = 0;
    QSize sized_; // the viewport size the view was last fitted to
    std::unique_ptr<detail_level_loader> loader_;
    struct first_picture {
        QImage image;
        int level = 0; // the level the picture chose for the view
    };
    std::future<first_picture> first_picture_; // waited for before image_ is used
};

} // namespace hoplot
