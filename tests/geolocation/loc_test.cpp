#include "geolocation/loc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace hoplot {
namespace {

using bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t type_a = 1;
constexpr std::uint16_t type_cname = 5;
constexpr std::uint16_t type_loc = 29;
constexpr std::uint16_t class_in = 1;
constexpr std::uint16_t class_ch = 3;
constexpr std::size_t question_offset = 12;

bytes operator+(bytes a, const bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bytes be16(std::uint32_t v) {
    return {std::uint8_t(v >> 8), std::uint8_t(v)};
}
bytes be32(std::uint32_t v) {
    return be16(v >> 16) + be16(v & 0xFFFF);
}

bytes labels(std::string_view dotted) {
    bytes out;
    while (!dotted.empty()) {
        const auto dot = dotted.find('.');
        const auto label = dotted.substr(0, dot);
        out.push_back(std::uint8_t(label.size()));
        out.insert(out.end(), label.begin(), label.end());
        dotted = dot == std::string_view::npos ? std::string_view() : dotted.substr(dot + 1);
    }
    return out;
}
bytes name(std::string_view dotted) {
    return labels(dotted) + bytes{0};
}
bytes pointer(std::size_t offset) {
    return {std::uint8_t(0xC0 | offset >> 8), std::uint8_t(offset)};
}

// Version, size 1 m, precisions 10 km and 10 m, latitude, longitude, altitude 0 m.
bytes loc_data(std::uint32_t latitude, std::uint32_t longitude, std::uint8_t version = 0) {
    return bytes{version, 0x12, 0x16, 0x13} + be32(latitude) + be32(longitude) + be32(10000000);
}
const bytes boston = loc_data(0x89139BC0, 0x70C08EC0); // 42.3 N, 71.06 W
const bytes equator = loc_data(0x80000000, 0x80000000);

struct record {
    bytes owner;
    std::uint16_t type;
    std::uint16_t record_class;
    bytes data;
};

bytes record_bytes(const record& r, std::uint32_t ttl = 3600) {
    return r.owner + be16(r.type) + be16(r.record_class) + be32(ttl) + be16(r.data.size()) + r.data;
}

// An answer to a LOC query for host.example.net; owners usually point back at the question.
bytes answer(const std::vector<record>& records, std::size_t claimed_answers = SIZE_MAX) {
    const std::size_t count = claimed_answers == SIZE_MAX ? records.size() : claimed_answers;
    bytes out = be16(0x1234) + be16(0x8180) + be16(1) + be16(count) + be16(0) + be16(0) +
                name("host.example.net") + be16(type_loc) + be16(class_in);
    for (const record& r : records)
        out = out + record_bytes(r);
    return out;
}

loc_rec decode(const bytes& message) {
    loc_rec rec;
    rec.latitude = 99; // a stale value must not survive
    loc_decode(message, rec);
    return rec;
}

TEST(loc_decode, coordinates_from_the_raw_numbers) {
    struct row {
        std::uint32_t latitude, longitude;
        double expected_latitude, expected_longitude;
    } rows[] = {
        {0x80000000, 0x80000000, 0.0, 0.0},
        {0x89139BC0, 0x70C08EC0, 42.3, -71.06},
        {0x80000000 - 324000000, 0x80000000 + 648000000, -90.0, 180.0},
    };
    for (const row& r : rows) {
        const loc_rec rec = decode(answer(
            {{pointer(question_offset), type_loc, class_in, loc_data(r.latitude, r.longitude)}}));
        EXPECT_EQ(rec.found, 1);
        EXPECT_EQ(rec.latitude, r.expected_latitude) << std::hex << r.latitude;
        EXPECT_EQ(rec.longitude, r.expected_longitude) << std::hex << r.longitude;
    }
}

TEST(loc_decode, record_fields_and_the_hop_entry) {
    const loc_rec rec = decode(answer({{pointer(question_offset), type_loc, class_in, boston}}));
    EXPECT_EQ(rec.version, 0);
    EXPECT_EQ(rec.ttl, 3600u);
    EXPECT_EQ(rec.owner_name, "host.example.net");
    EXPECT_DOUBLE_EQ(rec.size, 1.0);
    EXPECT_DOUBLE_EQ(rec.horizontal_precision, 10000.0);
    EXPECT_DOUBLE_EQ(rec.vertical_precision, 10.0);
    EXPECT_DOUBLE_EQ(rec.altitude, 0.0);

    const entry_t entry = entry_from_loc_rec(rec, "10.1.2.3", "host.example.net");
    EXPECT_EQ(entry.latitude, 42.3);
    EXPECT_EQ(entry.latitude_word, "North");
    EXPECT_EQ(entry.longitude, 71.06);
    EXPECT_EQ(entry.longitude_word, "West");
}

TEST(loc_decode, answer_shapes) {
    const bytes q = pointer(question_offset);
    // A CNAME whose target (in its data, at offset 12 + 22 + 12) owns the LOC record.
    const std::size_t cname_target = question_offset + 22 + 12;
    struct row {
        const char* what;
        bytes message;
        int found;
        double latitude;
    } rows[] = {
        {"LOC only", answer({{q, type_loc, class_in, boston}}), 1, 42.3},
        {"CNAME then LOC",
         answer({{q, type_cname, class_in, name("loc.example.org")},
                 {pointer(cname_target), type_loc, class_in, boston}}),
         1, 42.3},
        {"uncompressed owner", answer({{name("host.example.net"), type_loc, class_in, boston}}), 1,
         42.3},
        {"first of several LOC",
         answer({{q, type_loc, class_in, boston}, {q, type_loc, class_in, equator}}), 1, 42.3},
        {"no answers", answer({}), 2, 0},
        {"only other types",
         answer({{q, type_cname, class_in, name("a.example.org")}, {q, type_a, class_in, be32(1)}}),
         2, 0},
        {"LOC of another class", answer({{q, type_loc, class_ch, boston}}), 2, 0},
        {"class IN after class CH",
         answer({{q, type_loc, class_ch, equator}, {q, type_loc, class_in, boston}}), 1, 42.3},
        {"version 1", answer({{q, type_loc, class_in, loc_data(0x89139BC0, 0x70C08EC0, 1)}}), 0, 0},
        {"RDATA of 15 bytes",
         answer({{q, type_loc, class_in, bytes(boston.begin(), boston.end() - 1)}}), 0, 0},
        {"empty RDATA", answer({{q, type_loc, class_in, {}}}), 0, 0},
        {"more answers claimed than sent", answer({{q, type_a, class_in, be32(1)}}, 3), 0, 0},
        {"owner pointer to itself",
         answer({{pointer(question_offset + 22), type_loc, class_in, boston}}), 1, 42.3},
        {"header cut short", bytes(11, 0), 0, 0},
    };
    for (const row& r : rows) {
        const loc_rec rec = decode(r.message);
        EXPECT_EQ(rec.found, r.found) << r.what;
        EXPECT_EQ(rec.latitude, r.latitude) << r.what;
    }
}

TEST(loc_decode, no_cut_of_an_answer_yields_a_position) {
    const bytes full =
        answer({{pointer(question_offset), type_cname, class_in, name("loc.example.org")},
                {pointer(question_offset + 22 + 12), type_loc, class_in, boston}});
    ASSERT_EQ(decode(full).found, 1);
    for (std::size_t length = 0; length < full.size(); ++length) {
        // A copy of exactly that length, so that a read past its end is caught by the sanitizer.
        const bytes cut(full.begin(), full.begin() + length);
        EXPECT_EQ(decode(cut).found, 0) << "cut at " << length;
    }
}

TEST(expand_name, follows_compression) {
    const bytes message = bytes{0xFF} + name("example.com") + labels("www") + pointer(1) +
                          labels("a.b") + pointer(14);
    EXPECT_EQ(expand_name(message, 1), "example.com");
    EXPECT_EQ(expand_name(message, 14), "www.example.com");
    EXPECT_EQ(expand_name(message, 20), "a.b.www.example.com");
    EXPECT_EQ(expand_name(message, 13), "");
}

TEST(expand_name, malformed_names_give_none) {
    struct row {
        const char* what;
        bytes message;
        std::size_t offset;
    } rows[] = {
        {"pointer to itself", pointer(0), 0},
        {"two pointers to each other", pointer(2) + pointer(0), 0},
        {"label then pointer back to it", labels("loop") + pointer(0), 0},
        {"pointer past the end", labels("a") + pointer(200), 0},
        {"pointer cut in half", labels("a") + bytes{0xC0}, 0},
        {"label past the end", bytes{5, 'a', 'b'}, 0},
        {"no terminating zero", labels("abc"), 0},
        {"offset past the end", name("a"), 3},
    };
    for (const row& r : rows)
        EXPECT_FALSE(expand_name(r.message, r.offset)) << r.what;
}

TEST(expand_name, text_is_bounded_at_1024_characters) {
    const std::string label(63, 'x');
    std::string sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen += label + ".";
    sixteen.pop_back(); // 16 labels of 63 characters: 1023 characters, 1024 with the last dot
    const auto fits = expand_name(name(sixteen), 0);
    ASSERT_TRUE(fits);
    EXPECT_EQ(fits->size(), 1023u);
    EXPECT_FALSE(expand_name(name(sixteen + ".y"), 0));
}

} // namespace
} // namespace hoplot
