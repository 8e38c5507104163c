#include "geolocation/position_cache.h"

#include <new>

#include "shell/show_message.h"

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

} // namespace

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
    const auto key = read_cache_key(address);
    if (!key) return cache_insert_result::skipped;
    try {
        stored value{std::move(name),
                     latitude,
                     longitude,
                     !latitude_word.empty() && latitude_word[0] == 'S',
                     !longitude_word.empty() && longitude_word[0] == 'W',
                     fix};
        std::lock_guard guard(lock_);
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
    const auto key = read_cache_key(address);
    if (!key) return std::nullopt;
    std::lock_guard guard(lock_);
    for (std::uint8_t parts = 4; parts >= 1; --parts) {
        const auto& table = by_parts_[parts - 1];
        const auto found = table.find(pack(key->numbers, parts));
        if (found == table.end()) continue;
        entry_t entry;
        for (std::uint8_t i = 0; i < parts; ++i)
            entry.address[i] = key->numbers[i];
        entry.parts = parts;
        entry.name = found->second.name;
        entry.latitude = found->second.latitude;
        entry.longitude = found->second.longitude;
        entry.latitude_word = found->second.south ? "South" : "North";
        entry.longitude_word = found->second.west ? "West" : "East";
        entry.fix = found->second.fix;
        return entry;
    }
    return std::nullopt;
}

std::size_t position_cache::size() const {
    std::lock_guard guard(lock_);
    std::size_t count = 0;
    for (const auto& table : by_parts_)
        count += table.size();
    return count;
}

void position_cache::clear() {
    std::lock_guard guard(lock_);
    for (auto& table : by_parts_)
        table.clear();
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
