#pragma once

namespace hoplot {

// Reads the settings as the window does, for the command-line modes.
void load_cli_settings();

} // namespace hoplot
