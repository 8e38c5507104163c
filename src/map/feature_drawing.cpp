#include "map/feature_drawing.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "map/map_level.h"
#include "map/map_view.h"
#include "map/projection.h"

namespace hoplot {
namespace {

bool within(int v, int low, int high) {
    return v >= low && v <= high;
}

bool ranges_meet(double a0, double a1, double b0, double b1) {
    return a0 <= b1 && b0 <= a1;
}

// Runs of connected segments go to the canvas as one polyline.
class polyline_batch {
  public:
    explicit polyline_batch(canvas& surface) : surface_(surface) {}
    ~polyline_batch() { flush(); }

    void segment(pixel_point from, pixel_point to) {
        if (run_.empty() || run_.back() != from) {
            flush();
            run_.push_back(from);
        }
        run_.push_back(to);
    }
    void flush() {
        if (run_.size() > 1) surface_.polyline(run_);
        run_.clear();
    }

  private:
    canvas& surface_;
    std::vector<pixel_point> run_;
};

bool cell_visible(const map_view& view, const map_level& level, std::uint32_t ix,
                  std::uint32_t iy) {
    const double n = level.grid();
    const double x0 = ix * (view.world_w / n), x1 = (ix + 1) * (view.world_w / n);
    const double y0 = (n - iy - 1) * (view.world_h / n), y1 = (n - iy) * (view.world_h / n);
    if (!ranges_meet(y0, y1, view.top, view.bottom)) return false;
    if (view.wrapped)
        return ranges_meet(x0, x1, 0, view.right) || ranges_meet(x0, x1, view.left, view.world_w);
    return ranges_meet(x0, x1, view.left, view.right);
}

// A segment that jumps more than 100 pixels across the map is taken to cross the seam: it is
// drawn as a piece off the edge it leaves by, and its start moves to the opposite edge. On a
// wrapped view each end may lie on either side of the seam.
void split_at_seam(canvas& surface, const map_view& view, pixel_point& from, pixel_point to) {
    if (std::abs(from.x - to.x) <= 100) return;
    const auto in_region = [&](int x) {
        if (view.wrapped) return within(x, 0, view.right) || within(x, view.left, view.world_w);
        return within(x, view.left, view.right);
    };
    if (!in_region(from.x) || !in_region(to.x)) return;
    if (from.x < to.x) {
        surface.line(from, {0, to.y});
        from.x = view.world_w;
    } else {
        surface.line(from, {view.world_w, to.y});
        from.x = 0;
    }
}

// Calls visit with the world positions of each polyline of cell (ix, iy).
template <typename Visit>
void for_each_polyline(const map_view& view, const map_level& level, std::uint32_t ix,
                       std::uint32_t iy, std::vector<world_position>& points, Visit&& visit) {
    const map_cell cell = level.cell(ix, iy);
    for (std::size_t j = 0; j < cell.polyline_count(); ++j) {
        points.clear();
        const auto line = cell.polyline(j);
        for (std::size_t k = 0; k < line.size(); ++k) {
            const bool end = k == 0 || k + 1 == line.size();
            points.push_back((end ? world_end_point : world_point)(level, ix, iy, line[k],
                                                                   view.world_w, view.world_h));
        }
        visit(points);
    }
}

bool in_world_box(const map_view& view, pixel_point p) {
    return within(p.x, 0, view.world_w) && within(p.y, 0, view.world_h);
}

void draw_flat_polyline(canvas& surface, const map_view& view, polyline_batch& batch,
                        const std::vector<world_position>& line) {
    bool has_previous = false;
    pixel_point previous;
    for (world_position w : line) {
        project_flat(view, w.x, w.y);
        const pixel_point p{round_pixel(w.x), round_pixel(w.y)};
        if (has_previous && in_world_box(view, previous) && in_world_box(view, p)) {
            pixel_point from = previous;
            split_at_seam(surface, view, from, p);
            batch.segment(from, p);
        } else {
            batch.flush();
        }
        previous = p;
        has_previous = true;
    }
    batch.flush();
}

// Points on the far side are left out without breaking the line.
void draw_globe_polyline(canvas& surface, const map_view& view,
                         const std::vector<world_position>& line,
                         std::vector<pixel_point>& visible) {
    visible.clear();
    for (world_position w : line) {
        w.x = wrap_x(view, w.x, static_cast<double>(view.x_offset));
        w.y += view.y_offset;
        if (project_globe(view, w.x, w.y)) visible.push_back({round_pixel(w.x), round_pixel(w.y)});
    }
    if (visible.size() > 1) surface.polyline(visible);
}

void draw_flat(canvas& surface, const map_view& view, const map_level& level) {
    polyline_batch batch(surface);
    std::vector<world_position> points;
    for (std::uint32_t ix = 0; ix < level.grid(); ++ix) {
        for (std::uint32_t iy = 0; iy < level.grid(); ++iy) {
            if (!cell_visible(view, level, ix, iy)) continue;
            for_each_polyline(view, level, ix, iy, points, [&](const auto& line) {
                draw_flat_polyline(surface, view, batch, line);
            });
        }
    }
}

void draw_globe(canvas& surface, const map_view& view, const map_level& level) {
    std::vector<world_position> points;
    std::vector<pixel_point> visible;
    for (std::uint32_t ix = 0; ix < level.grid(); ++ix) {
        for (std::uint32_t iy = 0; iy < level.grid(); ++iy) {
            for_each_polyline(view, level, ix, iy, points, [&](const auto& line) {
                draw_globe_polyline(surface, view, line, visible);
            });
        }
    }
}

} // namespace

void draw_feature_set(canvas& surface, const map_view& view, const map_level& level) {
    if (level.empty()) return;
    if (view.globe_mode)
        draw_globe(surface, view, level);
    else
        draw_flat(surface, view, level);
}

} // namespace hoplot
