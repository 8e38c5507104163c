#pragma once

#include <functional>
#include <string>

namespace hoplot {

// Every notice and error the user sees goes through ShowMessage. The window installs a
// handler that shows a message box; the command line and tests keep or replace the default,
// which writes the text to standard error.
using message_handler = std::function<void(const std::string&)>;

void ShowMessage(const std::string& text);

// Installs a handler and returns the one it replaces.
message_handler set_message_handler(message_handler handler);

// "Can't read file %s"-style texts: the one placeholder replaced by the argument.
std::string format_message(const std::string& pattern, const std::string& argument);

} // namespace hoplot
