#pragma once

#include <array>

namespace hoplot {

// The right-hand panel: a column of fixed width whose content is taller than many screens, so
// it scrolls in five positions (0 to 4).
inline constexpr int panel_width = 205;
inline constexpr int panel_content_height = 680;
inline constexpr int panel_scroll_positions = 4;

struct panel_rect {
    int x, y, width, height;
    bool operator==(const panel_rect&) const = default;
};

// Places of the overview, the toolbar, the information box and the trace list in the
// content, for a panel client width pw.
inline std::array<panel_rect, 4> panel_children(int pw) {
    return {{{10, 0, pw - 20, 133},
             {3, 151, pw, 38},
             {10, 193, pw - 20, 246},
             {10, 453, pw - 20, 226}}};
}

// Pixels the content moves for one scroll position at panel height ph: never negative.
inline int panel_scroll_step(int ph) {
    const int step = (panel_content_height - ph) / panel_scroll_positions;
    return step > 0 ? step : 0;
}

inline bool panel_scrolls(int ph) {
    return ph < panel_content_height + 1;
}

} // namespace hoplot
