#pragma once

// Writes small MaxMind-format databases (IPv4 search tree with 24-bit records) so that the
// GeoIP tests need no downloaded file.

#include <arpa/inet.h>
#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace hoplot::test_mmdb {

namespace encode {

enum : int {
    string_type = 2,
    double_type = 3,
    uint16_type = 5,
    uint32_type = 6,
    map_type = 7,
    uint64_type = 9,
    array_type = 11,
    float_type = 15
};

// Control byte(s): type in the top three bits (or an extension byte for types above 7) and
// the payload size, with one extra size byte for sizes from 29 to 284.
inline std::string control(int type, std::size_t size) {
    if (size > 284) throw std::length_error("test database field too long");
    std::string out;
    const int size_bits = size < 29 ? static_cast<int>(size) : 29;
    out += static_cast<char>(((type <= 7 ? type : 0) << 5) | size_bits);
    if (type > 7) out += static_cast<char>(type - 7);
    if (size >= 29) out += static_cast<char>(size - 29);
    return out;
}

inline std::string text(const std::string& value) {
    return control(string_type, value.size()) + value;
}

inline std::string big_endian(std::uint64_t value, std::size_t bytes) {
    std::string out;
    for (std::size_t i = bytes; i-- > 0;)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
}

inline std::string unsigned_number(int type, std::uint64_t value) {
    std::size_t bytes = 0;
    while (bytes < 8 && value >> (8 * bytes) != 0)
        ++bytes;
    return control(type, bytes) + big_endian(value, bytes);
}

inline std::string float64(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return control(double_type, 8) + big_endian(bits, 8);
}

inline std::string float32(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return control(float_type, 4) + big_endian(bits, 4);
}

// A map from already encoded values.
inline std::string map(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string out = control(map_type, fields.size());
    for (const auto& [key, value] : fields)
        out += text(key) + value;
    return out;
}

inline std::string array(const std::vector<std::string>& items) {
    std::string out = control(array_type, items.size());
    for (const auto& item : items)
        out += item;
    return out;
}

} // namespace encode

// Networks and their records; build() gives the file's bytes.
class writer {
  public:
    // record: an encoded value (usually encode::map). Networks must not overlap.
    void add(const std::string& network, int prefix_length, const std::string& record) {
        in_addr parsed{};
        if (inet_pton(AF_INET, network.c_str(), &parsed) != 1 || prefix_length < 1 ||
            prefix_length > 32)
            throw std::invalid_argument("bad test network " + network);
        networks_.push_back({ntohl(parsed.s_addr), prefix_length, data_.size()});
        data_ += record;
    }

    std::string build() const {
        // Children: -1 empty, >= 0 a node index, or a data offset (marked by is_data).
        struct child {
            long value = -1;
            bool is_data = false;
        };
        std::vector<std::array<child, 2>> nodes(1);
        for (const auto& net : networks_) {
            std::size_t node = 0;
            for (int bit = 0; bit < net.prefix_length; ++bit) {
                const int side = net.address >> (31 - bit) & 1;
                if (bit == net.prefix_length - 1) {
                    nodes[node][side] = {static_cast<long>(net.data_offset), true};
                } else {
                    if (nodes[node][side].is_data) throw std::invalid_argument("overlap");
                    if (nodes[node][side].value < 0) {
                        nodes[node][side].value = static_cast<long>(nodes.size());
                        nodes.push_back({});
                    }
                    node = static_cast<std::size_t>(nodes[node][side].value);
                }
            }
        }
        const auto node_count = static_cast<std::uint32_t>(nodes.size());
        std::string file;
        for (const auto& node : nodes) {
            for (const child& c : node) {
                std::uint64_t record = node_count; // "not found"
                if (c.is_data)
                    record = node_count + 16 + static_cast<std::uint64_t>(c.value);
                else if (c.value >= 0)
                    record = static_cast<std::uint64_t>(c.value);
                file += encode::big_endian(record, 3);
            }
        }
        file += std::string(16, '\0');
        file += data_;
        file += std::string("\xAB\xCD\xEFMaxMind.com");
        using namespace encode;
        file += map({
            {"binary_format_major_version", unsigned_number(uint16_type, 2)},
            {"binary_format_minor_version", unsigned_number(uint16_type, 0)},
            {"build_epoch", unsigned_number(uint64_type, 1700000000)},
            {"database_type", text("Hoplot-Test-City")},
            {"description", map({{"en", text("Hoplot test database")}})},
            {"ip_version", unsigned_number(uint16_type, 4)},
            {"languages", array({text("en")})},
            {"node_count", unsigned_number(uint32_type, node_count)},
            {"record_size", unsigned_number(uint16_type, 24)},
        });
        return file;
    }

  private:
    struct network {
        std::uint32_t address;
        int prefix_length;
        std::size_t data_offset;
    };
    std::vector<network> networks_;
    std::string data_;
};

} // namespace hoplot::test_mmdb
