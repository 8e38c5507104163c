#pragma once

#include "map/map_view.h"

namespace hoplot {

// Where the view lies in the map window's client area. On the flat map the region is stretched
// over the frame, the largest rectangle of the world's shape that fits the client area, centred
// in it; zoomed, the map goes on around the frame as far as one world width. On the globe, world
// pixels map one to one onto the turned world, which project_globe then puts on the disc.
struct flat_transform {
    double centre_x = 0; // the world position shown at the middle
    double centre_y = 0;
    double middle_x = 0; // the middle, in client pixels (in globe mode: in the turned world)
    double middle_y = 0;
    double scale_x = 0; // client pixels per world pixel
    double scale_y = 0;
    double world_w = 0;

    // The copy of wx, one world width to either side, nearest the centre.
    double screen_x(double wx) const {
        double u = wx - centre_x;
        if (u > world_w / 2)
            u -= world_w;
        else if (u < -world_w / 2)
            u += world_w;
        return middle_x + u * scale_x;
    }
    double screen_y(double wy) const { return middle_y + (wy - centre_y) * scale_y; }
    // Back to world pixels, x not brought into the world (a view never sized gives the centre).
    double world_x(double sx) const {
        return scale_x != 0 ? centre_x + (sx - middle_x) / scale_x : centre_x;
    }
    double world_y(double sy) const {
        return scale_y != 0 ? centre_y + (sy - middle_y) / scale_y : centre_y;
    }
};

flat_transform flat_transform_of(const map_view& view);

// Client pixels per world pixel of the flat map at zoom 1 (0 for a view never sized).
double frame_scale(const map_view& view);

// The globe's radius for the view's client area: a third of the frame's width, or of its height
// when the disc would not fit it.
int globe_radius_of(const map_view& view);

// A rectangle of reals, edges included.
struct real_rect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Where the map is drawn, in client pixels: on the flat map the client area cut to one world
// width about the centre and to the world's rows (or the region's, when scrolled past a pole),
// so that at zoom 1 it is the frame; on the globe the whole client area.
real_rect map_box(const map_view& view);
// The same in whole pixels, the right and bottom edge lines included.
pixel_rect map_area(const map_view& view);

// What the map area shows, in world pixels: left lies in 0..world_w, and right may lie east of
// world_w, the part beyond continuing across the seam. On the globe it is the hemisphere that
// faces the viewer.
real_rect shown_region(const map_view& view);

} // namespace hoplot
