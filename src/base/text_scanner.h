#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hoplot {

// Formatted reading over text held in memory, with the behaviour of the C library's scanf
// conversions the data files were written for: %d and %s skip leading white space, %c takes
// the next character as it is, a blank in a pattern skips any white space. White space is the
// "C" locale's, whatever locale the program runs in.
class text_scanner {
  public:
    explicit text_scanner(std::string_view text) : text_(text) {}

    bool at_end() const { return pos_ >= text_.size(); }
    std::size_t position() const { return pos_; }

    void skip_space();
    // %d: an optionally signed decimal number; nothing is consumed when no digit follows.
    std::optional<int> read_int();
    // %s: a run of non-blank characters, at most max_length of them.
    std::optional<std::string> read_word(std::size_t max_length = std::string::npos);
    // The same, as a view into the text.
    std::optional<std::string_view> read_word_view(std::size_t max_length = std::string::npos);
    // %c: the next character, white space included.
    std::optional<char> read_char();
    // A decimal fraction as strtod reads it (%lf).
    std::optional<double> read_double();
    // The rest of the current line, without its line end; moves past the line end.
    std::string_view read_line();

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace hoplot
