#pragma once

namespace hoplot {

struct map_view;
struct settings;

// The layers the settings switch on (menu Map Features), copied into the view.
void take_display_flags(map_view& view, const settings& values);

} // namespace hoplot
