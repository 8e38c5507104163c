#pragma once

#include <string>

#include "map/map_view.h"

namespace hoplot {

class view_history;

// Zooming is refused while the globe turns by itself; says so and answers true then.
bool refuse_zoom_while_rotating(const map_view& view, map_view_listener& listener);

// The rubber band's end for the pointer at m: cut at the edges of the map area (map_frame.h),
// with the band refitted to the world's aspect ratio after each cut.
pixel_point constrain_band_end(const map_view& view, pixel_point p0, pixel_point m);

// Shows the band from p0 to p1 (client pixels, either corner first): on the flat map that part
// of it; on the globe the flat map of the chosen region. One undo snapshot when the view
// changes; a band of no width or height, or one wholly off the globe, changes nothing. Answers
// whether the view changed (the caller then redraws and updates the scroll bars).
bool zoom_to_band(map_view& view, view_history& history, pixel_point p0, pixel_point p1,
                  map_view_listener& listener);

// One wheel notch about client point m, in or out, keeping the world position under m where
// it is; nothing over a margin beside the flat map. On the globe a notch in zooms to the flat
// map around m. One undo snapshot per notch that changes the view; the limits are a band's.
bool zoom_about(map_view& view, view_history& history, pixel_point m, bool in,
                map_view_listener& listener);

// A scroll bar's arrow or page step; back is left or up.
enum class scroll_step { line_back, line_forward, page_back, page_forward };

// Moves the view one step (one undo snapshot) and answers d: the bar moves to its position - d.
int scroll_x(map_view& view, view_history& history, scroll_step step, int page);
int scroll_y(map_view& view, view_history& history, scroll_step step, int page);

// The thumb released at bar position p (one undo snapshot): the region's left edge becomes
// p modulo the world width, or its top becomes p.
void scroll_x_to(map_view& view, view_history& history, int position);
void scroll_y_to(map_view& view, view_history& history, int position);

// While the thumb is dragged: the longitude or latitude of the page's centre, "12.500000° E".
std::string longitude_track_text(const map_view& view, int position, int page);
std::string latitude_track_text(const map_view& view, int position, int page);

} // namespace hoplot
