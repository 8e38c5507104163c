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

} // namespace
} // namespace hoplot
