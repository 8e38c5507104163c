#include "map/view_input.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "map/map_frame.h"
#include "map/projection.h"
#include "map/view_history.h"

namespace hoplot {
namespace {

// Each wheel notch doubles or halves the zoom (the area magnification).
const double notch_extent = std::sqrt(0.5);

double aspect_ratio(const map_view& view) {
    return static_cast<double>(view.world_w) / view.world_h;
}

// The band's width refitted to its height, on the side of p0 it was dragged to.
void fit_band_width(const map_view& view, const pixel_point& p0, pixel_point& p1) {
    const int w = static_cast<int>(std::abs(p1.y - p0.y) * aspect_ratio(view));
    p1.x = p1.x < p0.x ? p0.x - w : p0.x + w;
}

// A zoom is done: the limit, and the mark that the view was zoomed.
void finish_zoom(map_view& view, map_view_listener& listener) {
    update_zoom(view, listener);
    view.zoomed = true;
}

// Brings both corners into 0..world_h, keeping the band's height.
void fit_rows(const map_view& view, pixel_point& p0, pixel_point& p1) {
    const int h = view.world_h;
    if (p0.y < 0) {
        p1.y -= p0.y;
        p0.y = 0;
    } else if (p1.y < 0) {
        p0.y -= p1.y;
        p1.y = 0;
    } else if (p0.y > h) {
        p1.y -= p0.y - h;
        p0.y = h;
    } else if (p1.y > h) {
        p0.y -= p1.y - h;
        p1.y = h;
    }
}

// The flat map of the world positions under a band on the globe, corners ordered. False, with
// the view and its history untouched, when no corner lies on the disc.
bool globe_band_to_region(map_view& view, view_history& history, pixel_point p0, pixel_point p1,
                          map_view_listener& listener) {
    bool on_disc = false;
    for (pixel_point corner : {p0, p1, pixel_point{p0.x, p1.y}, pixel_point{p1.x, p0.y}})
        on_disc = unproject_globe(view, corner.x, corner.y) || on_disc;
    if (!on_disc) return false;
    history.push(view);
    unproject_globe(view, p0.x, p0.y);
    unproject_globe(view, p1.x, p1.y);
    // The features of a vertically scrolled globe are drawn y offset lower than their rows.
    p0.y -= view.y_offset;
    p1.y -= view.y_offset;
    fit_rows(view, p0, p1);
    p0.x = wrap_x(view, p0.x, -view.x_offset);
    p1.x = wrap_x(view, p1.x, -view.x_offset);
    fit_width(view, p0, p1);
    const int w = view.world_w;
    bool across = true;
    if (p0.x < 0)
        p0.x += w;
    else if (p0.x > w)
        p0.x -= w;
    else if (p1.x < 0)
        p1.x += w;
    else if (p1.x > w)
        p1.x -= w;
    else
        across = false;
    if (across) view.wrapped = true;
    set_view_rect(view, p0, p1);
    view.globe_mode = false;
    listener.check_map_mode(false);
    return true;
}

// The flat region of the given width in which world position (wx, wy) lies at client point m.
void flat_region_about(map_view& view, double wx, double wy, pixel_point m, int width) {
    const int w = view.world_w;
    if (width >= w) {
        view.left = 0;
        view.top = 0;
        view.right = w;
        view.bottom = view.world_h;
        view.wrapped = false;
        return;
    }
    const int height = std::max(1, static_cast<int>(width / aspect_ratio(view)));
    // Where m lies across the frame, as a fraction of its width and height.
    const double s = frame_scale(view);
    const double across = (m.x - view.client_w / 2.0) / (w * s) + 0.5;
    const double down = (m.y - view.client_h / 2.0) / (view.world_h * s) + 0.5;
    const int left = round_pixel(wx - across * width);
    view.left = (left % w + w) % w;
    view.top = round_pixel(wy - down * height);
    view.bottom = view.top + height;
    view.right = view.left + width;
    view.wrapped = view.right > w;
    if (view.wrapped) view.right -= w;
}

std::string degrees_text(degrees_read_out read_out) {
    char text[64];
    std::snprintf(text, sizeof text, "%f\u00b0 %c", read_out.degrees, read_out.letter);
    return text;
}

int step_distance(scroll_step step, int page) {
    switch (step) {
    case scroll_step::line_back:
        return 1;
    case scroll_step::line_forward:
        return -1;
    case scroll_step::page_back:
        return page;
    case scroll_step::page_forward:
        return -page;
    }
    return 0;
}

} // namespace

bool refuse_zoom_while_rotating(const map_view& view, map_view_listener& listener) {
    if (view.rotating) listener.show_message("Can't zoom when rotating");
    return view.rotating;
}

pixel_point constrain_band_end(const map_view& view, pixel_point p0, pixel_point m) {
    const real_rect box = map_box(view);
    const int left = round_pixel(box.left), right = round_pixel(box.right);
    const int top = round_pixel(box.top), bottom = round_pixel(box.bottom);
    pixel_point p1 = m;
    fit_height(view, p0, p1);
    if (p1.x < left) {
        p1.x = left;
        fit_height(view, p0, p1);
    }
    if (p1.x > right) {
        p1.x = right;
        fit_height(view, p0, p1);
    }
    if (p1.y < top) {
        p1.y = top;
        fit_band_width(view, p0, p1);
    }
    if (p1.y > bottom) {
        p1.y = bottom;
        fit_band_width(view, p0, p1);
    }
    return p1;
}

bool zoom_to_band(map_view& view, view_history& history, pixel_point p0, pixel_point p1,
                  map_view_listener& listener) {
    if (p0.x == p1.x || p0.y == p1.y || view.world_w == 0) return false;
    pixel_point a{std::min(p0.x, p1.x), std::min(p0.y, p1.y)};
    pixel_point b{std::max(p0.x, p1.x), std::max(p0.y, p1.y)};
    if (view.globe_mode) {
        if (!globe_band_to_region(view, history, a, b, listener)) return false;
    } else {
        unproject_flat(view, a.x, a.y);
        unproject_flat(view, b.x, b.y);
        history.push(view);
        // The map may show the world on both sides of the seam; the band crosses it when its
        // west edge lies east of its east edge.
        view.wrapped = a.x > b.x;
        set_view_rect(view, a, b);
    }
    finish_zoom(view, listener);
    return true;
}

bool zoom_about(map_view& view, view_history& history, pixel_point m, bool in,
                map_view_listener& listener) {
    if (view.globe_mode) {
        if (!in) return false;
        const int half_w = view.globe_radius;
        const int half_h = static_cast<int>(half_w / aspect_ratio(view));
        return zoom_to_band(view, history, {m.x - half_w, m.y - half_h},
                            {m.x + half_w, m.y + half_h}, listener);
    }
    const int vw = visible_width(view);
    if (view.world_w == 0 || (!in && vw >= view.world_w)) return false;
    if (!map_area(view).contains(m)) return false;
    const flat_transform t = flat_transform_of(view);
    const double wx = t.world_x(m.x);
    const double wy = t.world_y(m.y);
    const int width = std::max(1, round_pixel(in ? vw * notch_extent : vw / notch_extent));
    history.push(view);
    flat_region_about(view, wx, wy, m, width);
    finish_zoom(view, listener);
    return true;
}

int scroll_x(map_view& view, view_history& history, scroll_step step, int page) {
    const int d = step_distance(step, page);
    history.push(view);
    shift_view_x(view, d);
    return d;
}

int scroll_y(map_view& view, view_history& history, scroll_step step, int page) {
    const int d = step_distance(step, page);
    history.push(view);
    shift_view_y(view, d);
    return d;
}

void scroll_x_to(map_view& view, view_history& history, int position) {
    history.push(view);
    const int lap = position % view.world_w;
    shift_view_x(view, view.left != 0 ? view.left - lap : view.world_w - lap);
}

void scroll_y_to(map_view& view, view_history& history, int position) {
    history.push(view);
    shift_view_y(view, view.top - position);
}

std::string longitude_track_text(const map_view& view, int position, int page) {
    double q = position + page / 2.0;
    while (q > view.world_w)
        q -= view.world_w;
    return degrees_text(longitude_read_out(view, q));
}

std::string latitude_track_text(const map_view& view, int position, int page) {
    return degrees_text(latitude_read_out(view, position + page / 2.0));
}

} // namespace hoplot
