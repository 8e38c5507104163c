#include "base/text_scanner.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace hoplot {
namespace {

bool is_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

void text_scanner::skip_space() {
    while (pos_ < text_.size() && is_space(text_[pos_]))
        ++pos_;
}

std::optional<int> text_scanner::read_int() {
    skip_space();
    std::size_t at = pos_;
    bool negative = false;
    if (at < text_.size() && (text_[at] == '-' || text_[at] == '+')) negative = text_[at++] == '-';
    if (at >= text_.size() || !is_digit(text_[at])) return std::nullopt;
    long long value = 0;
    while (at < text_.size() && is_digit(text_[at])) {
        if (value <= INT_MAX) value = value * 10 + (text_[at] - '0');
        ++at;
    }
    pos_ = at;
    if (negative) value = -value;
    // Out-of-range numbers saturate, as strtol does.
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::optional<std::string> text_scanner::read_word(std::size_t max_length) {
    const auto word = read_word_view(max_length);
    if (!word) return std::nullopt;
    return std::string(*word);
}

std::optional<std::string_view> text_scanner::read_word_view(std::size_t max_length) {
    skip_space();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !is_space(text_[pos_]) && pos_ - start < max_length)
        ++pos_;
    if (pos_ == start) return std::nullopt;
    return text_.substr(start, pos_ - start);
}

std::optional<char> text_scanner::read_char() {
    if (pos_ >= text_.size()) return std::nullopt;
    return text_[pos_++];
}

std::optional<double> text_scanner::read_double() {
    skip_space();
    // strtod needs a terminated string; numbers in our files are short.
    std::size_t end = pos_;
    while (end < text_.size() && !is_space(text_[end]) && end - pos_ < 64)
        ++end;
    const std::string number(text_.substr(pos_, end - pos_));
    char* stop = nullptr;
    const double value = std::strtod(number.c_str(), &stop);
    if (stop == number.c_str()) return std::nullopt;
    pos_ += static_cast<std::size_t>(stop - number.c_str());
    return value;
}

std::string_view text_scanner::read_line() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != '\n')
        ++pos_;
    std::string_view line = text_.substr(start, pos_ - start);
    if (pos_ < text_.size()) ++pos_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

} // namespace hoplot
