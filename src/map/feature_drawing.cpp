#include "map/feature_drawing.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "map/map_frame.h"
#include "map/map_level.h"
#include "map/map_view.h"
#include "map/projection.h"

namespace hoplot {
namespace {

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

// Whether the cell meets the part of the world that the map shows, on either side of the seam.
bool cell_visible(const map_view& view, const real_rect& shown, const map_level& level,
                  std::uint32_t ix, std::uint32_t iy) {
    const double n = level.grid();
    const double x0 = ix * (view.world_w / n), x1 = (ix + 1) * (view.world_w / n);
    const double y0 = (n - iy - 1) * (view.world_h / n), y1 = (n - iy) * (view.world_h / n);
    if (!ranges_meet(y0, y1, shown.top, shown.bottom)) return false;
    return ranges_meet(x0, x1, shown.left, shown.right) ||
           ranges_meet(x0 + view.world_w, x1 + view.world_w, shown.left, shown.right);
}

// Each point is drawn at its copy nearest the view's centre, so a segment crossing the meridian
// opposite the centre jumps across the map: more than half a world, which no segment of the
// data spans. It is drawn as a piece off the edge it leaves by, and its start moves to the
// opposite edge, where the world continues.
void split_at_seam(canvas& surface, const flat_transform& t, pixel_point& from, pixel_point to) {
    const double half_world = t.world_w / 2 * t.scale_x;
    if (std::abs(from.x - to.x) <= half_world) return;
    const int west = round_pixel(t.middle_x - half_world);
    const int east = round_pixel(t.middle_x + half_world);
    if (from.x < to.x) {
        surface.line(from, {west, to.y});
        from.x = east;
    } else {
        surface.line(from, {east, to.y});
        from.x = west;
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

// A segment is drawn only when both its ends lie in the map area.
void draw_flat_polyline(canvas& surface, const flat_transform& t, const pixel_rect& area,
                        polyline_batch& batch, const std::vector<world_position>& line) {
    bool has_previous = false;
    pixel_point previous;
    for (const world_position w : line) {
        const pixel_point p{round_pixel(t.screen_x(w.x)), round_pixel(t.screen_y(w.y))};
        if (has_previous && area.contains(previous) && area.contains(p)) {
            pixel_point from = previous;
            split_at_seam(surface, t, from, p);
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
    const flat_transform t = flat_transform_of(view);
    const pixel_rect area = map_area(view);
    const real_rect shown = shown_region(view);
    polyline_batch batch(surface);
    std::vector<world_position> points;
    for (std::uint32_t ix = 0; ix < level.grid(); ++ix) {
        for (std::uint32_t iy = 0; iy < level.grid(); ++iy) {
            if (!cell_visible(view, shown, level, ix, iy)) continue;
            for_each_polyline(view, level, ix, iy, points, [&](const auto& line) {
                draw_flat_polyline(surface, t, area, batch, line);
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
