#pragma once

#include <string>

#include "platform/icmp_socket.h"

namespace hoplot {

// The status bar's permanent field: how the program probes, and what to do when it cannot.
struct icmp_status {
    std::string text;
    std::string tooltip;
};

icmp_status describe_icmp_socket(const icmp_socket& socket);

} // namespace hoplot
