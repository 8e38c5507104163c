#include "cli/json_text.h"

#include <gtest/gtest.h>

namespace hoplot {
namespace {

TEST(json_string, escapes_what_json_needs_and_keeps_utf8) {
    const struct {
        std::string text, expected;
    } cases[] = {
        {"", "\"\""},
        {"r1.example.net", "\"r1.example.net\""},
        {"say \"hi\"\\", "\"say \\\"hi\\\"\\\\\""},
        {"tab\tnew\nline", "\"tab\\u0009new\\u000aline\""},
        {"  42.30\xC2\xB0 North", "\"  42.30\xC2\xB0 North\""},
        {"\xE2\x82\xAC\xF0\x9F\x8C\x8D", "\"\xE2\x82\xAC\xF0\x9F\x8C\x8D\""},
        {"bad \xB0 byte", "\"bad \\ufffd byte\""},
        {"cut \xE2\x82", "\"cut \\ufffd\\ufffd\""},
        {"\xC0\xAF\xFF", "\"\\ufffd\\ufffd\\ufffd\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(json_string(c.text), c.expected) << c.text;
}

} // namespace
} // namespace hoplot
