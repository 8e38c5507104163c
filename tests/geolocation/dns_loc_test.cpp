#include "geolocation/dns_loc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

namespace hoplot {
namespace {

using bytes = std::vector<std::uint8_t>;

enum : std::uint16_t { type_a = 1, type_cname = 5, type_loc = 29, class_in = 1, class_ch = 3 };
constexpr std::size_t question = 12;                    // offset of the question's name
constexpr std::size_t first_record = question + 22;     // after host.example.net, type, class
constexpr std::size_t cname_target = first_record + 12; // the data of a first CNAME record

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
bytes pointer(std::size_t offset) {
    return {std::uint8_t(0xC0 | offset >> 8), std::uint8_t(offset)};
}

bytes labels(std::string_view dotted) {
    bytes out;
    for (std::size_t start = 0; start < dotted.size();) {
        const std::size_t end = std::min(dotted.find('.', start), dotted.size());
        out.push_back(std::uint8_t(end - start));
        out.insert(out.end(), dotted.begin() + start, dotted.begin() + end);
        start = end + 1;
    }
    return out;
}
bytes name(std::string_view dotted) {
    return labels(dotted) + bytes{0};
}

// Version, size 1 m, precisions 10 km and 10 m, latitude, longitude, altitude 0 m.
bytes loc_data(std::uint32_t latitude, std::uint32_t longitude, std::uint8_t version = 0) {
    return bytes{version, 0x12, 0x16, 0x13} + be32(latitude) + be32(longitude) + be32(10000000);
}
const bytes boston = loc_data(0x89139BC0, 0x70C08EC0); // 42.3 N, 71.06 W
const bytes equator = loc_data(0x80000000, 0x80000000);

bytes record(const bytes& owner, std::uint16_t type, std::uint16_t record_class,
             const bytes& data) {
    return owner + be16(type) + be16(record_class) + be32(3600) + be16(data.size()) + data;
}
const bytes q = pointer(question);
bytes loc(const bytes& owner, const bytes& data, std::uint16_t record_class = class_in) {
    return record(owner, type_loc, record_class, data);
}
bytes other(std::uint16_t type, const bytes& data) {
    return record(q, type, class_in, data);
}

// An answer to a LOC query for host.example.net, claiming as many answers as given or claimed.
bytes answer(const std::vector<bytes>& records, std::optional<std::size_t> claimed = {}) {
    bytes out = be16(0x1234) + be16(0x8180) + be16(1) + be16(claimed.value_or(records.size())) +
                be16(0) + be16(0) + name("host.example.net") + be16(type_loc) + be16(class_in);
    for (const bytes& r : records)
        out = out + r;
    return out;
}

loc_rec decode(const bytes& message) {
    loc_rec rec;
    rec.latitude = 99; // a stale value must not survive
    loc_decode(message, rec);
    return rec;
}

TEST(loc_decode, answer_shapes_coordinates_and_fields) {
    const std::pair<double, double> at_boston{42.3, -71.06}, none{0, 0};
    const bytes cname = name("loc.example.org");
    const struct {
        const char* what;
        bytes message;
        int found;
        std::pair<double, double> at;
    } rows[] = {
        {"LOC only", answer({loc(q, boston)}), 1, at_boston},
        {"equator", answer({loc(q, equator)}), 1, none},
        {"south pole, date line",
         answer({loc(q, loc_data(0x80000000 - 324000000, 0x80000000 + 648000000))}),
         1,
         {-90, 180}},
        {"CNAME then LOC", answer({other(type_cname, cname), loc(pointer(cname_target), boston)}),
         1, at_boston},
        {"uncompressed owner", answer({loc(name("host.example.net"), boston)}), 1, at_boston},
        {"owner pointer to itself", answer({loc(pointer(first_record), boston)}), 1, at_boston},
        {"first of several LOC", answer({loc(q, boston), loc(q, equator)}), 1, at_boston},
        {"class IN after class CH", answer({loc(q, equator, class_ch), loc(q, boston)}), 1,
         at_boston},
        {"no answers", answer({}), 2, none},
        {"only other types", answer({other(type_cname, cname), other(type_a, be32(1))}), 2, none},
        {"LOC of another class", answer({loc(q, boston, class_ch)}), 2, none},
        {"version 1", answer({loc(q, loc_data(0x89139BC0, 0x70C08EC0, 1))}), 0, none},
        {"RDATA of 15 bytes", answer({loc(q, bytes(boston.begin(), boston.end() - 1))}), 0, none},
        {"empty RDATA", answer({loc(q, {})}), 0, none},
        {"more answers claimed than sent", answer({other(type_a, be32(1))}, 3), 0, none},
    };
    for (const auto& r : rows) {
        const loc_rec rec = decode(r.message);
        EXPECT_EQ(rec.found, r.found) << r.what;
        EXPECT_EQ(std::make_pair(rec.latitude, rec.longitude), r.at) << r.what;
    }
    // Size 1 m, precisions 10 km and 10 m, altitude 0 m.
    const loc_rec rec = decode(rows[0].message);
    EXPECT_EQ(std::tuple(rec.version, rec.ttl, rec.owner_name, rec.size, rec.horizontal_precision,
                         rec.vertical_precision, rec.altitude),
              std::tuple(0, 3600u, std::string("host.example.net"), 1.0, 1e4, 10.0, 0.0));
}

TEST(loc_decode, no_cut_of_an_answer_yields_a_position) {
    const bytes full =
        answer({other(type_cname, name("loc.example.org")), loc(pointer(cname_target), boston)});
    ASSERT_EQ(decode(full).found, 1);
    for (std::size_t length = 0; length < full.size(); ++length) {
        // A copy of exactly that length, so that a read past its end is caught by the sanitizer.
        const bytes cut(full.begin(), full.begin() + length);
        EXPECT_EQ(decode(cut).found, 0) << "cut at " << length;
    }
}

TEST(expand_name, follows_compression_and_refuses_malformed_or_long_names) {
    const bytes message = bytes{0xFF} + name("example.com") + labels("www") + pointer(1) +
                          labels("a.b") + pointer(14);
    std::string longest; // 16 labels of 63 characters: 1023 characters, 1024 with a final dot
    for (int i = 0; i < 16; ++i)
        longest += std::string(63, 'x') + (i < 15 ? "." : "");
    const struct {
        const char* what;
        bytes message;
        std::size_t offset;
        std::optional<std::string> expected;
    } rows[] = {
        {"plain", message, 1, "example.com"},
        {"one pointer", message, 14, "www.example.com"},
        {"two pointers", message, 20, "a.b.www.example.com"},
        {"root", message, 13, ""},
        {"pointer to itself", pointer(0), 0, std::nullopt},
        {"two pointers to each other", pointer(2) + pointer(0), 0, std::nullopt},
        {"label then pointer back to it", labels("loop") + pointer(0), 0, std::nullopt},
        {"pointer past the end", labels("a") + pointer(200), 0, std::nullopt},
        {"pointer cut in half", labels("a") + bytes{0xC0}, 0, std::nullopt},
        {"label past the end", bytes{5, 'a', 'b'}, 0, std::nullopt},
        {"no terminating zero", labels("abc"), 0, std::nullopt},
        {"offset past the end", name("a"), 3, std::nullopt},
        {"1023 characters", name(longest), 0, longest},
        {"1025 characters", name(longest + ".y"), 0, std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(expand_name(r.message, r.offset), r.expected) << r.what;
}

} // namespace
} // namespace hoplot
