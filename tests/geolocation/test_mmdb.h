#pragma once

// Writes small MaxMind-format databases (IPv4 or IPv6 search tree with 24-bit records) so that
// the GeoIP tests need no downloaded file.

#include <arpa/inet.h>
#include <array>
#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace hoplot::test_mmdb {

enum : int { string_type = 2, double_type = 3, uint16_type = 5, map_type = 7, uint64_type = 9 };
enum : int { uint32_type = 6, array_type = 11, float_type = 15 };

// Control byte (type in the top three bits, or in an extension byte for types above 7) and
// size; the test data needs no size of 29 or more.
inline std::string control(int type, std::size_t size) {
    if (size >= 29) throw std::length_error("test database field too long");
    std::string out(1, static_cast<char>((type <= 7 ? type : 0) << 5 | size));
    if (type > 7) out += static_cast<char>(type - 7);
    return out;
}

inline std::string big_endian(std::uint64_t value, int bytes) {
    std::string out;
    while (bytes-- > 0)
        out += static_cast<char>(value >> (8 * bytes) & 0xFF);
    return out;
}

inline std::string text(const std::string& value) {
    return control(string_type, value.size()) + value;
}
// Appended, not joined with +: GCC 12 warns falsely (-Wrestrict) about prepending to a
// temporary in a Release build.
inline std::string number(int type, std::uint64_t value, int bytes) {
    return control(type, bytes).append(big_endian(value, bytes));
}
inline std::string float32(float value) {
    return number(float_type, std::bit_cast<std::uint32_t>(value), 4);
}
inline std::string float64(double value) {
    return number(double_type, std::bit_cast<std::uint64_t>(value), 8);
}

inline std::string map(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string out = control(map_type, fields.size());
    for (const auto& [key, value] : fields)
        out += text(key) + value;
    return out;
}

// Networks (which must not overlap) and their encoded records; build() gives the file's bytes.
class writer {
  public:
    explicit writer(int ip_version = 4) : ip_version_(ip_version) {}

    void add(const char* network, int prefix_length, const std::string& record) {
        std::array<unsigned char, 16> address{};
        if (inet_pton(ip_version_ == 4 ? AF_INET : AF_INET6, network, address.data()) != 1)
            throw std::invalid_argument(network);
        const auto bit_at = [&address](int bit) { return address[bit / 8] >> (7 - bit % 8) & 1; };
        std::size_t node = 0;
        for (int bit = 0; bit < prefix_length - 1; ++bit) {
            const int side = bit_at(bit);
            if (nodes_[node][side] < 0) throw std::invalid_argument("overlapping test networks");
            if (nodes_[node][side] == 0) {
                nodes_[node][side] = static_cast<std::int64_t>(nodes_.size());
                nodes_.push_back({});
            }
            node = static_cast<std::size_t>(nodes_[node][side]);
        }
        nodes_[node][bit_at(prefix_length - 1)] = ~static_cast<std::int64_t>(data_.size());
        data_ += record;
    }

    std::string build() const {
        const std::uint64_t count = nodes_.size();
        std::string file;
        for (const auto& node : nodes_)
            for (const std::int64_t child : node)
                file += big_endian(child > 0 ? child : child < 0 ? count + 16 + ~child : count, 3);
        file += std::string(16, '\0') + data_ + "\xAB\xCD\xEFMaxMind.com";
        return file + map({{"binary_format_major_version", number(uint16_type, 2, 1)},
                           {"binary_format_minor_version", number(uint16_type, 0, 0)},
                           {"build_epoch", number(uint64_type, 1700000000, 4)},
                           {"database_type", text("Hoplot-Test-City")},
                           {"description", map({})},
                           {"ip_version", number(uint16_type, ip_version_, 1)},
                           {"languages", control(array_type, 0)},
                           {"node_count", number(uint32_type, count, 4)},
                           {"record_size", number(uint16_type, 24, 1)}});
    }

  private:
    int ip_version_;
    // Children: 0 none (the root is nobody's child), > 0 a node, < 0 ~offset of a record.
    std::vector<std::array<std::int64_t, 2>> nodes_ = {{0, 0}};
    std::string data_;
};

} // namespace hoplot::test_mmdb
