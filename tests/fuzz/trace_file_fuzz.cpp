// Trace files come from anywhere. Whatever the reader accepts must load into the store and be
// written back to a text that reads the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "trace/trace_file.h"

namespace {

hoplot::resolution nowhere(std::string&, const std::string&) {
    return {};
}

std::string round_trip(const std::vector<hoplot::trace_entry>& traces) {
    hoplot::trace_store store(nowhere);
    hoplot::load_traces(store, traces);
    return hoplot::trace_file_text(store);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto traces = hoplot::parse_trace_text(text);
    if (!traces) return 0;
    const std::string written = round_trip(*traces);
    const auto again = hoplot::parse_trace_text(written);
    if (!again || round_trip(*again) != written) std::abort();
    return 0;
}
