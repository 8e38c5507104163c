#pragma once

namespace hoplot {

// Gives up every capability of the calling thread (and of threads it starts later) for good:
// effective, permitted, inheritable and ambient, also across a later exec as root. True when
// nothing is left.
bool drop_capabilities();

// True when the calling thread holds no effective capability.
bool holds_no_capabilities();

} // namespace hoplot
