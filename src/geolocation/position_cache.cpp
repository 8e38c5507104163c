#include "geolocation/position_cache.h"

#include <algorithm>
#include <functional>
#include <new>

#include "base/show_message.h"
#include "platform/ip_address.h"

namespace hoplot {
namespace {

// The four numbers in one word, first number highest; numbers beyond the key's parts are 0,
// so a prefix of a host address packs like the prefix's own key.
std::uint32_t pack(const std::array<std::int32_t, 4>& numbers, std::uint8_t parts) {
    std::uint32_t packed = 0;
    for (std::uint8_t i = 0; i < 4; ++i) {
        const auto number = i < parts ? static_cast<std::uint32_t>(numbers[i]) : 0u;
        packed = packed << 8 | number;
    }
    return packed;
}

std::uint64_t word_at(const std::array<std::uint8_t, 16>& bytes, std::size_t first) {
    std::uint64_t word = 0;
    for (std::size_t i = first; i < first + 8; ++i)
        word = word << 8 | bytes[i];
    return word;
}

// The top `bits` bits of a word (0 to 64).
std::uint64_t top_bits(std::uint64_t word, int bits) {
    if (bits <= 0) return 0;
    return bits >= 64 ? word : word & ~(~0ULL >> bits);
}

cache_key6 masked(cache_key6 key, std::uint8_t length) {
    key.high = top_bits(key.high, length);
    key.low = top_bits(key.low, length - 64);
    key.length = length;
    return key;
}

bool is_ipv6_key(std::string_view address) {
    return address.find(':') != std::string_view::npos;
}

entry_t entry_of(const auto& value) {
    entry_t entry;
    entry.name = value.name;
    entry.latitude = value.latitude;
    entry.longitude = value.longitude;
    entry.latitude_word = value.south ? "South" : "North";
    entry.longitude_word = value.west ? "West" : "East";
    entry.fix = value.fix;
    return entry;
}

} // namespace

std::optional<cache_key6> read_cache_key6(std::string_view address) {
    const std::size_t slash = address.find('/');
    int length = 128;
    if (slash != std::string_view::npos) {
        const std::string_view digits = address.substr(slash + 1);
        if (digits.empty() || digits.size() > 3) return std::nullopt;
        length = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            length = length * 10 + (c - '0');
        }
        if (length > 128) return std::nullopt;
    }
    const auto parsed = parse_ip(std::string(address.substr(0, slash)));
    if (!parsed || parsed->family != ip_family::v6) return std::nullopt;
    return masked({word_at(parsed->bytes, 0), word_at(parsed->bytes, 8)},
                  static_cast<std::uint8_t>(length));
}

bool is_cache_key(std::string_view address) {
    return is_ipv6_key(address) ? read_cache_key6(address).has_value()
                                : read_cache_key(address).has_value();
}

bool is_host_key(std::string_view address) {
    if (is_ipv6_key(address))
        return address.find('/') == std::string_view::npos && read_cache_key6(address);
    const auto key = read_cache_key(address);
    return key && key->parts == 4;
}

std::optional<cache_key> read_cache_key(std::string_view address) {
    cache_key key;
    std::size_t at = 0;
    while (true) {
        if (key.parts == 4) return std::nullopt;
        int number = 0;
        const std::size_t start = at;
        while (at < address.size() && address[at] >= '0' && address[at] <= '9') {
            number = number * 10 + (address[at] - '0');
            if (number > 255) return std::nullopt;
            ++at;
        }
        if (at == start) return std::nullopt;
        key.numbers[key.parts++] = number;
        if (at == address.size()) return key;
        if (address[at++] != '.') return std::nullopt;
    }
}

cache_insert_result position_cache::insert(std::string_view address, std::string name,
                                           double latitude, std::string_view latitude_word,
                                           double longitude, std::string_view longitude_word,
                                           bool fix) {
    const bool ipv6 = is_ipv6_key(address);
    const auto key = ipv6 ? std::nullopt : read_cache_key(address);
    const auto key6 = ipv6 ? read_cache_key6(address) : std::nullopt;
    if (!key && !key6) return cache_insert_result::skipped;
    try {
        stored value{std::move(name),
                     latitude,
                     longitude,
                     !latitude_word.empty() && latitude_word[0] == 'S',
                     !longitude_word.empty() && longitude_word[0] == 'W',
                     fix};
        std::lock_guard guard(lock_);
        if (key6) {
            const auto [place, added] = ipv6_.insert_or_assign(*key6, std::move(value));
            const auto at = std::lower_bound(ipv6_lengths_.begin(), ipv6_lengths_.end(),
                                             key6->length, std::greater<>());
            if (at == ipv6_lengths_.end() || *at != key6->length)
                ipv6_lengths_.insert(at, key6->length);
            return added ? cache_insert_result::added : cache_insert_result::replaced;
        }
        auto& table = by_parts_[key->parts - 1];
        const auto [place, added] =
            table.insert_or_assign(pack(key->numbers, key->parts), std::move(value));
        return added ? cache_insert_result::added : cache_insert_result::replaced;
    } catch (const std::bad_alloc&) {
        // The line is skipped and loading goes on.
        ShowMessage("Can't Allocate memory for cache entry");
        return cache_insert_result::skipped;
    }
}

std::optional<entry_t> position_cache::lookup(std::string_view address) const {
    if (is_ipv6_key(address)) return lookup6(address);
    const auto key = read_cache_key(address);
    if (!key) return std::nullopt;
    std::lock_guard guard(lock_);
    for (std::uint8_t parts = 4; parts >= 1; --parts) {
        const auto& table = by_parts_[parts - 1];
        const auto found = table.find(pack(key->numbers, parts));
        if (found == table.end()) continue;
        entry_t entry = entry_of(found->second);
        for (std::uint8_t i = 0; i < parts; ++i)
            entry.address[i] = key->numbers[i];
        entry.parts = parts;
        return entry;
    }
    return std::nullopt;
}

std::optional<entry_t> position_cache::lookup6(std::string_view address) const {
    const auto key = read_cache_key6(address);
    if (!key || key->length != 128) return std::nullopt;
    std::lock_guard guard(lock_);
    for (const std::uint8_t length : ipv6_lengths_) {
        const auto found = ipv6_.find(masked(*key, length));
        if (found == ipv6_.end()) continue;
        // An IPv6 entry has no dotted numbers; a network counts as the most specific IPv4 kind.
        entry_t entry = entry_of(found->second);
        entry.parts = length == 128 ? 4 : 3;
        return entry;
    }
    return std::nullopt;
}

std::size_t position_cache::size() const {
    std::lock_guard guard(lock_);
    std::size_t count = 0;
    for (const auto& table : by_parts_)
        count += table.size();
    return count + ipv6_.size();
}

void position_cache::clear() {
    std::lock_guard guard(lock_);
    for (auto& table : by_parts_)
        table.clear();
    ipv6_.clear();
    ipv6_lengths_.clear();
}

position_cache& app_position_cache() {
    static position_cache cache;
    return cache;
}

cache_insert_result cache_insert(const std::string& address, const std::string& name,
                                 double latitude, const std::string& latitude_word,
                                 double longitude, const std::string& longitude_word) {
    return app_position_cache().insert(address, name, latitude, latitude_word, longitude,
                                       longitude_word);
}

std::optional<entry_t> cache_lookup(const std::string& address) {
    return app_position_cache().lookup(address);
}

} // namespace hoplot
