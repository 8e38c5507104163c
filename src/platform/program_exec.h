#pragma once

#include "platform/icmp_socket.h"

namespace hoplot {

// The programs hoplot hands over to, which sit beside it. hoplot itself only opens the ICMP
// sockets with the capability it was given and loads no library of the toolkit, so that the
// capability never meets that code and the hand-over takes no time worth the name.
inline constexpr char viewer_program[] = "hoplot-view";      // the window and the drawing
inline constexpr char command_line_program[] = "hoplot-cli"; // every other flag
inline constexpr char render_flag[] = "--render";

// The program for hoplot's arguments, by the first one (null when there is none): the viewer for
// none, a host or a trace file, and --render; the command line for any other flag, which it
// judges.
const char* program_for(const char* first_argument);

// Replaces this process with `program` from this program's directory, passing argv and the
// sockets on. Returns only when that fails, with exit status 1 and the reason on standard error.
int hand_over(const char* program, const icmp_sockets& sockets, char** argv);

} // namespace hoplot
