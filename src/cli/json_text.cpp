#include "cli/json_text.h"

#include <cstdio>

namespace hoplot {
namespace {

// Length of the well-formed UTF-8 sequence at text[i], or 0.
std::size_t utf8_length(const std::string& text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    return length;
}

} // namespace

std::string json_string(const std::string& text) {
    std::string quoted = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else if (byte < 0x80) {
            quoted += c;
        } else if (const std::size_t length = utf8_length(text, i)) {
            quoted.append(text, i, length);
            i += length - 1;
        } else {
            quoted += "\\ufffd"; // a byte that is not UTF-8 would make the document invalid
        }
    }
    return quoted + "\"";
}

} // namespace hoplot
