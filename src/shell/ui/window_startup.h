#pragma once

namespace hoplot {

// The window's start-up: the settings, the loading dialog while the maps, caches and cities
// load, the main window, and the event loop until it closes. Returns the exit status.
int run_window(int argc, char** argv);

} // namespace hoplot
