#pragma once

namespace hoplot {

// Replaces this process with hoplot-view from the same directory, passing the arguments on.
// Returns only when that fails, with exit status 1 and the reason on standard error.
int exec_viewer(char** argv);

} // namespace hoplot
