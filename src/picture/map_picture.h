#pragma once

class QImage;

namespace hoplot {

struct map_view;

// The map's whole picture into an image as large as the view's client area: what the map window
// shows and what --render saves for the same size.
void draw_map_picture(QImage& image, map_view& view);

} // namespace hoplot
