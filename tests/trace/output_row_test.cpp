#include "trace/output_row.h"

#include <gtest/gtest.h>

#include "trace/store_recorder.h"

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
        {"abcdef", 50, "ab..."},
        {"abcdef", 49, "a..."},
        {"abcdef", 5, "..."},
        {"12.00\xC2\xB0N", 69, "12...."},
        {"\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0", 59, "\xC2\xB0\xC2\xB0..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shorten_cell_text(c.text, c.room, ten_a_character), c.drawn)
            << c.text << " in " << c.room;
}

struct output_rows_test : testing::store_test {};

TEST_F(output_rows_test, are_the_current_trace_s_rows_with_status_texts_in_the_first_cell) {
    EXPECT_TRUE(output_rows(store).empty());
    places.positions["192.0.2.1"] = {5, 5};
    add_trace("a", {testing::hop("r1", "192.0.2.1", 3), make_status_row(done_text, blue)});
    add_trace("b", {testing::hop("r2", "192.0.2.2", 4)});
    store.rebuild_route(0);
    EXPECT_EQ(output_rows(store),
              (std::vector<output_row>{{{"r1", "192.0.2.1", "at 192.0.2.1", "   3ms"}, black},
                                       {{done_text, " ", " ", " "}, blue}}));
}

} // namespace
} // namespace hoplot
