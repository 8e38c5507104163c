#include "trace/output_row.h"

#include <gtest/gtest.h>

namespace hoplot {
namespace {

// Ten pixels a character, counting a UTF-8 character once.
int ten_a_character(const std::string& text) {
    int characters = 0;
    for (const char byte : text)
        characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return 10 * characters;
}

TEST(shorten_cell_text, keeps_what_fits_and_ends_the_rest_with_dots_inside_the_room) {
    const struct {
        const char* text;
        int room;
        const char* drawn;
    } cases[] = {
        {"abcdef", 60, "abcdef"},
        {"abcdef", 59, "ab..."},
        {"abcdef", 49, "a..."},
        {"abcdef", 5, "..."},
        {"\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0", 59, "\xC2\xB0\xC2\xB0..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shorten_cell_text(c.text, c.room, ten_a_character), c.drawn)
            << c.text << " in " << c.room;
}

// While a trace is built, time-outs before its first hop are listed but not stored.
TEST(stored_row_of_line, skips_the_unstored_lines_before_the_stored_ones) {
    const struct {
        std::size_t line, line_count, stored_rows;
        std::optional<std::size_t> row;
    } cases[] = {
        {0, 3, 3, 0}, {2, 3, 3, 2}, {0, 5, 3, {}}, {1, 5, 3, {}},
        {2, 5, 3, 0}, {4, 5, 3, 2}, {5, 5, 3, {}}, {0, 2, 3, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(stored_row_of_line(c.line, c.line_count, c.stored_rows), c.row)
            << c.line << " of " << c.line_count << " lines, " << c.stored_rows << " stored";
}

} // namespace
} // namespace hoplot
