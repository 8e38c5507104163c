#include "map/globe_disc.h"

#include <cmath>

namespace hoplot {
namespace {

// The fill for parameter t; t = 0 is the rim.
int globe_shade(int t, int radius) {
    const double step = 0.785 / radius;
    const int v = static_cast<int>(std::sin(t * step) * 128);
    const int green = (v / 2 + 30) % 256;
    const int blue = (v + 30) % 256;
    return blue << 16 | green << 8;
}

} // namespace

void draw_globe_disc(canvas& surface, int centre_x, int centre_y, int radius) {
    if (radius <= 0) return;
    surface.set_pen({0, pen_style::none});
    surface.set_brush({globe_shade(0, radius), brush_style::solid});
    for (int i = 0; i < radius; i += 5) {
        surface.ellipse(centre_x - radius + i, centre_y - radius + i, centre_x + radius - i,
                        centre_y + radius - i);
        surface.set_brush({globe_shade(i + 1, radius), brush_style::solid});
    }
}

} // namespace hoplot
