#pragma once

#include "base/settings.h"

namespace hoplot {

// Reads the settings as the window does, for the command-line modes, which have no screen: they
// store no window size or column width.
settings load_cli_settings();

// The sources of positions and networks, as the window loads them; says on standard error when
// there is no AS table to name the networks with.
void load_cli_sources(const settings& values);

} // namespace hoplot
