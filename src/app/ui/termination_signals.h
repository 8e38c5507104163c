#pragma once

namespace hoplot {

class main_window;

// Ends the window as Quit does, but without asking about unsaved traces, when the process is
// asked to end: SIGTERM (a desktop logging out), SIGHUP (its terminal gone) or SIGINT (Ctrl-C
// in it). The settings are written. A second such signal ends the process at once.
void end_window_on_termination_signals(main_window& window);

} // namespace hoplot
