#include "geolocation/as_csv.h"

#include <limits>

namespace hoplot {
namespace {

// A decimal number up to `most`, read up to the next comma.
std::optional<address_number> read_number(std::string_view& text, address_number most) {
    address_number value = 0;
    std::size_t digits = 0;
    for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
        const auto digit = static_cast<unsigned>(text[digits] - '0');
        if (value > (most - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (digits == 0 || digits == text.size() || text[digits] != ',') return std::nullopt;
    text.remove_prefix(digits + 1);
    return value;
}

// The rest of the line: the name as it stands, or between quotes with "" for a quote.
std::optional<std::string> read_name(std::string_view text) {
    if (text.empty() || text.front() != '"') {
        if (text.find('"') != std::string_view::npos) return std::nullopt;
        return std::string(text);
    }
    std::string name;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            name += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            name += '"';
            ++i;
        } else {
            return i + 1 == text.size() ? std::optional(name) : std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<as_range> read_line(std::string_view line, address_number most) {
    as_range range;
    const auto first = read_number(line, most);
    const auto last = first ? read_number(line, most) : std::nullopt;
    const auto number =
        last ? read_number(line, std::numeric_limits<std::uint32_t>::max()) : std::nullopt;
    auto name = number ? read_name(line) : std::nullopt;
    if (!name || *first > *last) return std::nullopt;
    return as_range{*first, *last, {static_cast<std::uint32_t>(*number), std::move(*name)}};
}

} // namespace

std::string network_text(const as_network& network) {
    std::string text = "AS" + std::to_string(network.number);
    if (!network.name.empty()) text += " " + network.name;
    return text;
}

as_csv_result read_as_csv(std::string_view text, ip_family family) {
    const address_number most =
        family == ip_family::v4 ? std::numeric_limits<std::uint32_t>::max() : ~address_number{0};
    as_csv_result result;
    std::size_t line_number = 0;
    while (!text.empty()) {
        ++line_number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        auto range = read_line(line, most);
        if (!range) {
            result.bad_line = line_number;
            break;
        }
        result.ranges.push_back(std::move(*range));
    }
    return result;
}

address_number to_number(const ip_address& address) {
    const std::size_t length = address.family == ip_family::v4 ? 4 : 16;
    address_number value = 0;
    for (std::size_t i = 0; i < length; ++i)
        value = value << 8 | address.bytes[i];
    return value;
}

} // namespace hoplot
