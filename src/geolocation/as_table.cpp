#include "geolocation/as_table.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>

namespace hoplot {
namespace {

// The layout, every number little-endian: the header, then for IPv4 the first addresses, the
// last addresses and the network indices of its ranges; the same for IPv6 (addresses as two
// 64-bit halves, high first), each part padded to 8 bytes; the networks (number, name offset,
// name length) and the names.
constexpr std::string_view magic = "HOPLOTAS";
constexpr std::uint32_t format_version = 1;
constexpr std::size_t header_size = 32;
constexpr std::size_t network_size = 12;

std::uint64_t padded(std::uint64_t size) {
    return (size + 7) / 8 * 8;
}

template <typename number> number load(const char* at) {
    char bytes[sizeof(number)];
    std::memcpy(bytes, at, sizeof bytes);
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes, bytes + sizeof bytes);
    number value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

template <typename number> void store(std::string& out, number value) {
    char bytes[sizeof(number)];
    std::memcpy(bytes, &value, sizeof bytes);
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes, bytes + sizeof bytes);
    out.append(bytes, sizeof bytes);
}

struct family_layout {
    std::uint64_t firsts, lasts, networks, end;
};

family_layout lay_out(std::uint64_t at, std::uint32_t count, std::size_t width) {
    const std::uint64_t addresses = padded(std::uint64_t{count} * width);
    return {at, at + addresses, at + 2 * addresses, at + 2 * addresses + padded(count * 4ull)};
}

address_number load_address(const char* at, std::size_t width) {
    if (width == 4) return load<std::uint32_t>(at);
    return address_number{load<std::uint64_t>(at)} << 64 | load<std::uint64_t>(at + 8);
}

void store_address(std::string& out, address_number value, std::size_t width) {
    if (width == 4) return store(out, static_cast<std::uint32_t>(value));
    store(out, static_cast<std::uint64_t>(value >> 64));
    store(out, static_cast<std::uint64_t>(value));
}

struct segment {
    address_number first;
    address_number last;
    std::uint32_t network;
};

// Segments that cover what the ranges cover, sorted, none overlapping another; a range laid over
// earlier ones cuts them back, leaving what sticks out before and after it.
std::vector<segment> disjoint(std::vector<segment> ranges) {
    std::stable_sort(ranges.begin(), ranges.end(), [](const segment& a, const segment& b) {
        return a.first != b.first ? a.first < b.first : a.last > b.last;
    });
    std::vector<segment> out;
    std::vector<segment> after;
    for (const segment& range : ranges) {
        std::optional<segment> before;
        after.clear();
        while (!out.empty() && out.back().last >= range.first) {
            const segment cut = out.back();
            out.pop_back();
            if (cut.first < range.first) before = segment{cut.first, range.first - 1, cut.network};
            if (cut.last > range.last)
                after.push_back({std::max(cut.first, range.last + 1), cut.last, cut.network});
        }
        if (before) out.push_back(*before);
        out.push_back(range);
        out.insert(out.end(), after.rbegin(), after.rend());
    }
    return out;
}

class table_writer {
  public:
    std::vector<segment> segments(std::vector<as_range> ranges) {
        std::vector<segment> out;
        out.reserve(ranges.size());
        for (as_range& range : ranges)
            out.push_back({range.first, range.last, network_index(std::move(range.network))});
        return disjoint(std::move(out));
    }

    std::string bytes(const std::vector<segment>& v4, const std::vector<segment>& v6) const {
        std::string out(magic);
        store(out, format_version);
        store(out, static_cast<std::uint32_t>(v4.size()));
        store(out, static_cast<std::uint32_t>(v6.size()));
        store(out, static_cast<std::uint32_t>(networks_.size()));
        store(out, static_cast<std::uint64_t>(names_.size()));
        append_family(out, v4, 4);
        append_family(out, v6, 16);
        for (const auto& [number, offset, length] : networks_) {
            store(out, number);
            store(out, offset);
            store(out, length);
        }
        out.resize(padded(out.size()), '\0');
        return out + names_;
    }

  private:
    std::uint32_t network_index(as_network network) {
        const auto [at, added] = index_.try_emplace({network.number, network.name},
                                                    static_cast<std::uint32_t>(networks_.size()));
        if (added) {
            networks_.push_back({network.number, static_cast<std::uint32_t>(names_.size()),
                                 static_cast<std::uint32_t>(network.name.size())});
            names_ += network.name;
        }
        return at->second;
    }

    static void append_family(std::string& out, const std::vector<segment>& family,
                              std::size_t width) {
        for (const segment& s : family)
            store_address(out, s.first, width);
        out.resize(padded(out.size()), '\0');
        for (const segment& s : family)
            store_address(out, s.last, width);
        out.resize(padded(out.size()), '\0');
        for (const segment& s : family)
            store(out, s.network);
        out.resize(padded(out.size()), '\0');
    }

    struct network_entry {
        std::uint32_t number, offset, length;
    };
    std::map<std::pair<std::uint32_t, std::string>, std::uint32_t> index_;
    std::vector<network_entry> networks_;
    std::string names_;
};

} // namespace

std::string build_as_table(std::vector<as_range> ranges4, std::vector<as_range> ranges6) {
    table_writer writer;
    const std::vector<segment> v4 = writer.segments(std::move(ranges4));
    const std::vector<segment> v6 = writer.segments(std::move(ranges6));
    return writer.bytes(v4, v6);
}

std::optional<as_table> as_table::over(std::string_view bytes) {
    if (bytes.size() < header_size || !bytes.starts_with(magic) ||
        load<std::uint32_t>(bytes.data() + 8) != format_version)
        return std::nullopt;
    // Offsets only: nothing past the header is read until a look-up needs it.
    const auto count4 = load<std::uint32_t>(bytes.data() + 12);
    const auto count6 = load<std::uint32_t>(bytes.data() + 16);
    const auto network_count = load<std::uint32_t>(bytes.data() + 20);
    const auto names_size = load<std::uint64_t>(bytes.data() + 24);
    const family_layout v4 = lay_out(header_size, count4, 4);
    const family_layout v6 = lay_out(v4.end, count6, 16);
    const std::uint64_t names = v6.end + padded(std::uint64_t{network_count} * network_size);
    if (names > bytes.size() || bytes.size() - names != names_size) return std::nullopt;

    const char* base = bytes.data();
    as_table table;
    table.v4_ = {count4, 4, base + v4.firsts, base + v4.lasts, base + v4.networks};
    table.v6_ = {count6, 16, base + v6.firsts, base + v6.lasts, base + v6.networks};
    table.network_count_ = network_count;
    table.networks_ = base + v6.end;
    table.names_ = bytes.substr(names);
    return table;
}

std::optional<as_network> as_table::lookup(const ip_address& address) const {
    const ranges& family = address.family == ip_family::v4 ? v4_ : v6_;
    const address_number key = to_number(address);
    // The first range that starts beyond the address; the one before it may hold it.
    std::size_t low = 0, high = family.count;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (load_address(family.firsts + middle * family.width, family.width) <= key)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == 0 || load_address(family.lasts + (low - 1) * family.width, family.width) < key)
        return std::nullopt;
    return network_at(family, low - 1);
}

std::optional<as_network> as_table::network_at(const ranges& family, std::size_t i) const {
    // A damaged file may point anywhere: every index and name is checked before it is used.
    const auto index = load<std::uint32_t>(family.networks + i * 4);
    if (index >= network_count_) return std::nullopt;
    const char* entry = networks_ + std::size_t{index} * network_size;
    const auto offset = load<std::uint32_t>(entry + 4);
    const auto length = load<std::uint32_t>(entry + 8);
    if (offset > names_.size() || length > names_.size() - offset) return std::nullopt;
    return as_network{load<std::uint32_t>(entry), std::string(names_.substr(offset, length))};
}

std::uint32_t as_table::range_count(ip_family family) const {
    return family == ip_family::v4 ? v4_.count : v6_.count;
}

} // namespace hoplot
