#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "geolocation/location.h"
#include "map/cities.h"
#include "map/map_level.h"

namespace hoplot {

struct route_rec;

// The whole world at magnification 1, in world pixels: 360 degrees by 180 degrees.
inline constexpr int world_width = 831;
inline constexpr int world_height = 572;

// Upper zoom bounds of the Low, Medium and High levels; the entry at max level is the highest
// zoom allowed.
inline constexpr std::array<double, 4> zoom_thresholds{4.0, 64.0, 256.0, 64000.0};

// A pixel position: screen pixels, or world pixels once a corner has been converted.
struct pixel_point {
    int x = 0;
    int y = 0;
    bool operator==(const pixel_point&) const = default;
};

// A rectangle of pixels from (left, top) up to but excluding (right, bottom).
struct pixel_rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(pixel_point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const pixel_rect&) const = default;
};

// What the map shows. The map window owns the one view; the loaded data is shared and never
// changes, so copying a view is cheap. Drawing objects and the picture belong to the renderer.
struct map_view {
    std::shared_ptr<const map_data> maps = std::make_shared<const map_data>();
    std::shared_ptr<const city_lists> cities = std::make_shared<const city_lists>();
    bool globe_mode = false;
    bool zoomed = false;
    bool rotating = false;
    bool trace_running = false;
    bool opening = false;
    bool wrapped = false; // the region crosses the 180° seam: left lies east of right
    bool display_cities = false;
    bool display_coastlines = false;
    bool display_boundaries = false;
    bool display_rivers = false;
    int world_w = 0; // 0 until the window is first sized
    int world_h = 0;
    int client_w = 0;
    int client_h = 0;
    int x_offset = 0; // rotation of the globe, kept in 0..world_w
    int y_offset = 0;
    int zoom = 0;
    int level = 0;
    int max_level = 0; // 3 with every level loaded, else the highest loaded level (or -1)
    int globe_radius = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int trace_count = 0;
    const route_rec* current_route = nullptr;
    std::optional<map_point> home; // the user's Home Location, marked with a house
};

// What the view operations ask of the window: menu check marks, scroll bars and notices.
class map_view_listener {
  public:
    virtual ~map_view_listener() = default;
    // Check Flat Map (30005) or Globe (30006) and uncheck the other.
    virtual void check_map_mode(bool globe) = 0;
    virtual void update_scroll_bars() = 0;
    virtual void show_message(const std::string& text) = 0;
    // The missing-maps dialog, modal: returns when the user has closed it.
    virtual void show_missing_maps() = 0;
};

// Visible extent of the region in world pixels, across the seam when wrapped.
int visible_width(const map_view& view);
int visible_height(const map_view& view);

// Screen pixels per world pixel: world_w / visible width (world_w itself for an empty width),
// and the same vertically.
double horizontal_scale(const map_view& view);
double vertical_scale(const map_view& view);

// Moves the region: a positive d moves it westward and turns the globe eastward.
void shift_view_x(map_view& view, int d);
void shift_view_y(map_view& view, int d);

// Move the second corner so that the rectangle has the world's aspect ratio.
void fit_height(const map_view& view, const pixel_point& p0, pixel_point& p1);
void fit_width(const map_view& view, const pixel_point& p0, pixel_point& p1);

// The region from two corners; the caller sets the wrapped flag first when they straddle the seam.
void set_view_rect(map_view& view, pixel_point p0, pixel_point p1);

// The zoom of the region, cut down to the highest magnification the loaded levels allow.
void update_zoom(map_view& view, map_view_listener& listener);

void select_level(map_view& view);
void reset_view(map_view& view, map_view_listener& listener);
void set_flat_mode(map_view& view, map_view_listener& listener);
void set_globe_mode(map_view& view, map_view_listener& listener);

// A new client size (height not 0). The first one shows the whole world; later ones keep the
// region, so the map keeps its centre and zoom and only its scale on the screen follows.
void resize_view(map_view& view, int client_w, int client_h, map_view_listener& listener);

// Read-outs of a world position: the magnitude in degrees and its hemisphere letter.
struct degrees_read_out {
    double degrees = 0.0;
    char letter = 'E';
};
degrees_read_out longitude_read_out(const map_view& view, double wx);
degrees_read_out latitude_read_out(const map_view& view, double wy);

} // namespace hoplot
