#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "geolocation/location.h"

namespace hoplot {

// The significant numbers of a dotted host address (4 parts) or network prefix (1 to 3 parts).
struct cache_key {
    std::array<std::int32_t, 4> numbers{}; // numbers beyond parts are 0
    std::uint8_t parts = 0;
};

// Reads "a", "a.b", "a.b.c" or "a.b.c.d" with every number in 0..255. Anything else (a fifth
// number, a number out of range, a word) has no place in the table and gives none.
std::optional<cache_key> read_cache_key(std::string_view address);

// An IPv6 host address ("2001:db8::1", 128 bits) or network in CIDR form ("2001:db8:100::/40",
// 0 to 128 bits), its bits beyond the prefix cleared.
struct cache_key6 {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    std::uint8_t length = 128;
    bool operator==(const cache_key6&) const = default;
};

std::optional<cache_key6> read_cache_key6(std::string_view address);

// Whether the text is a key of either family, and whether it is a host's: four numbers, or an
// IPv6 address without prefix length.
bool is_cache_key(std::string_view address);
bool is_host_key(std::string_view address);

// skipped: the key does not fit the table, or memory ran out (reported).
enum class cache_insert_result { added, replaced, skipped };

// Known positions of hosts and networks, searched by the longest matching prefix. One hash table
// per prefix length keeps a lookup at four probes however large the files are (IPv6: one probe
// per prefix length in use). Safe to use
// from several threads: lookups hand out copies, so a replacement never frees what a reader
// holds.
class position_cache {
  public:
    // Latitude and longitude are absolute values; a position is south when latitude_word
    // begins with 'S' and west when longitude_word begins with 'W'. An entry with the same
    // key as an existing one replaces it. fix marks the user's own fixes, so that a lookup can
    // tell them from the shipped files.
    cache_insert_result insert(std::string_view address, std::string name, double latitude,
                               std::string_view latitude_word, double longitude,
                               std::string_view longitude_word, bool fix = false);

    // The most specific entry whose significant numbers start the address: a host before a
    // 3-number network, before a 2-number, before a 1-number network.
    std::optional<entry_t> lookup(std::string_view address) const;

    std::size_t size() const;
    void clear();

  private:
    struct stored {
        std::string name;
        double latitude;
        double longitude;
        bool south;
        bool west;
        bool fix;
    };

    struct key6_hash {
        std::size_t operator()(const cache_key6& key) const {
            return std::hash<std::uint64_t>()(key.high * 0x9E3779B97F4A7C15ULL ^ key.low);
        }
    };

    std::optional<entry_t> lookup6(std::string_view address) const;

    mutable std::mutex lock_;
    std::array<std::unordered_map<std::uint32_t, stored>, 4> by_parts_; // index: parts - 1
    std::unordered_map<cache_key6, stored, key6_hash> ipv6_;
    std::vector<std::uint8_t> ipv6_lengths_; // the prefix lengths in use, longest first
};

// The process-wide position cache that the resolution pipeline searches.
position_cache& app_position_cache();

cache_insert_result cache_insert(const std::string& address, const std::string& name,
                                 double latitude, const std::string& latitude_word,
                                 double longitude, const std::string& longitude_word);

std::optional<entry_t> cache_lookup(const std::string& address);

} // namespace hoplot
