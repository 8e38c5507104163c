#pragma once

#include <QIcon>

namespace hoplot {

// A globe crossed by a route of three hops: the Start Trace picture.
QIcon start_trace_icon();

} // namespace hoplot
