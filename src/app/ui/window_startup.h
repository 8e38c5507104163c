#pragma once

namespace hoplot {

struct window_request;

// The window's start-up: the settings, the loading dialog while the maps, caches and cities
// load, the main window, and the event loop until it closes. Returns the exit status.
// The request is acted on once the window shows.
int run_window(int argc, char** argv, const window_request& request);

} // namespace hoplot
