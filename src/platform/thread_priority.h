#pragma once

namespace hoplot {

// Lowers the calling thread's priority (Linux schedules each thread by its own nice value), so
// that work done ahead for the window runs beside the GUI thread rather than before it. A
// failure only costs speed and is not told.
void lower_this_thread_priority();

} // namespace hoplot
