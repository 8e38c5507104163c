#include "trace/destination.h"

#include <algorithm>

namespace hoplot {
namespace {

constexpr const char* blanks = " \t";
constexpr const char* surrounding_space = " \t\r\n\v\f";

std::string first_word(const std::string& text) {
    const auto begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_first_of(blanks, begin) - begin);
}

// "user@host:port" or "user@[address]:port" to "host" or "address".
std::string host_of(const std::string& authority) {
    const auto at = authority.rfind('@');
    const std::string host = at == std::string::npos ? authority : authority.substr(at + 1);
    // An IPv6 address stands in brackets, its colons no port's.
    if (host.starts_with('[')) return host.substr(1, host.find(']') - 1);
    return host.substr(0, host.find(':'));
}

} // namespace

std::optional<std::string> trace_destination(const std::string& typed) {
    // Blanks around a pasted name are no part of it.
    const auto begin = typed.find_first_not_of(surrounding_space);
    if (begin == std::string::npos) return std::nullopt;
    const std::string text =
        typed.substr(begin, typed.find_last_not_of(surrounding_space) + 1 - begin);
    const auto colon = text.find(':');
    if (colon == std::string::npos || text.compare(colon + 1, 2, "//") != 0) return text;
    const std::string rest = text.substr(colon + 3);
    const std::string host = host_of(rest.substr(0, rest.find_first_of("/?#")));
    if (first_word(host).empty()) return std::nullopt;
    return host;
}

void destination_history::add(const std::string& destination) {
    if (words_.size() == capacity) words_.erase(words_.begin());
    words_.push_back(first_word(destination));
}

std::vector<std::string> destination_history::newest_first() const {
    return {words_.rbegin(), words_.rend()};
}

} // namespace hoplot
