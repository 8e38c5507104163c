#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace hoplot {

// The longest destination the dialog takes.
inline constexpr std::size_t max_destination_length = 254;

// The host to trace for what the user typed, or none when there is no word in it. Blanks and
// line breaks before and after it are dropped. A web address ("scheme://...") is traced by its
// host alone: user, port, path, query and fragment would only make the name look-up fail. Other
// text, without "//" after its first ':', stays as typed.
std::optional<std::string> trace_destination(const std::string& typed);

// The destinations given in this run, by their first word, the last 20 kept.
class destination_history {
  public:
    static constexpr std::size_t capacity = 20;

    void add(const std::string& destination);
    std::vector<std::string> newest_first() const;

  private:
    std::vector<std::string> words_; // oldest first
};

} // namespace hoplot
