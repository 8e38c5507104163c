#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hoplot {

// What the window does as soon as it is up, from its command line: `hoplot HOST` traces HOST as
// if typed in the destination dialog, `hoplot FILE.trc` opens the file as File > Open does.
struct window_request {
    std::string trace_destination;
    std::string open_path;
};

struct window_request_parse {
    std::optional<window_request> request; // none: bad usage, said in error
    std::string error;
};

// An argument that names an existing file or ends in ".trc" is a trace file; any other is a
// destination. At most one; the window takes no option, wherever one stands.
window_request_parse parse_window_request(const std::vector<std::string>& arguments);

} // namespace hoplot
