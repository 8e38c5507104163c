#pragma once

namespace hoplot {

// Reads the settings as the window does, for the command-line modes, which have no screen: they
// store no window size or column width.
void load_cli_settings();

} // namespace hoplot
