#include "geolocation/dns_loc.h"

#include <arpa/nameser.h>
#include <netinet/in.h>
#include <resolv.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

namespace hoplot {
namespace {

constexpr std::size_t header_size = 12;
constexpr std::size_t answer_buffer_size = 8192;
constexpr std::size_t max_query_name = 1023;
constexpr std::size_t max_name_text = 1024; // with the trailing dot, as the owner name's buffer
// A wire name holds at most 127 labels; more pointers than that can only be a loop.
constexpr int max_pointers = 127;
constexpr std::size_t loc_data_size = 16;
constexpr std::uint16_t class_in = 1;
constexpr std::uint16_t type_loc = 29;
constexpr double degrees_per_unit = 1 / 3600000.0; // units are thousandths of an arc second

// Reads big-endian numbers and names from a DNS message; a read that would pass the end
// fails and leaves the position where it was.
class message_reader {
  public:
    explicit message_reader(std::span<const std::uint8_t> message) : message_(message) {}

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return message_.size() - position_; }

    bool skip(std::size_t count) {
        if (count > remaining()) return false;
        position_ += count;
        return true;
    }

    std::optional<std::uint32_t> read(std::size_t bytes) {
        if (bytes > remaining()) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            value = value << 8 | message_[position_ + i];
        position_ += bytes;
        return value;
    }

    // Skips a name without following its compression pointer.
    bool skip_name() {
        if (remaining() == 0) return false;
        if (message_[position_] == 0) return skip(1);
        for (;;) {
            if (remaining() == 0) return false;
            const std::uint8_t length = message_[position_];
            if ((length & 0xC0) == 0xC0) return skip(2);
            if (!skip(1 + std::size_t{length}) || remaining() == 0) return false;
            if (message_[position_] == 0) return skip(1);
        }
    }

  private:
    std::span<const std::uint8_t> message_;
    std::size_t position_ = 0;
};

std::uint32_t big_endian_32(std::span<const std::uint8_t> bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// Size and precisions: mantissa in the high four bits, power of ten in the low four, in
// centimetres.
double precision_metres(std::uint8_t value) {
    return (value >> 4) * std::pow(10.0, value & 0x0F) / 100.0;
}

double angle_degrees(std::uint32_t raw) {
    return static_cast<double>(static_cast<std::int64_t>(raw) - (std::int64_t{1} << 31)) *
           degrees_per_unit;
}

void decode_loc_data(std::span<const std::uint8_t> data, loc_rec& rec) {
    if (data.empty()) return;
    rec.version = data[0];
    if (rec.version != 0 || data.size() < loc_data_size) return;
    rec.size = precision_metres(data[1]);
    rec.horizontal_precision = precision_metres(data[2]);
    rec.vertical_precision = precision_metres(data[3]);
    rec.latitude = angle_degrees(big_endian_32(data.subspan(4)));
    rec.longitude = angle_degrees(big_endian_32(data.subspan(8)));
    rec.altitude = (static_cast<double>(big_endian_32(data.subspan(12))) - 10000000.0) * 0.01;
    rec.found = 1;
}

// A resolver state of this call's own, so that look-ups on several threads do not meet.
class resolver {
  public:
    resolver() {
        state_.options = RES_DEFAULT;
        ready_ = res_ninit(&state_) == 0;
        if (ready_) state_.options &= ~RES_DEBUG;
    }
    ~resolver() {
        if (ready_) res_nclose(&state_);
    }
    resolver(const resolver&) = delete;
    resolver& operator=(const resolver&) = delete;

    bool ready() const { return ready_; }

    // The answer to a class IN, type LOC query, or none when the query failed.
    std::optional<std::vector<std::uint8_t>> search_loc(const std::string& name) {
        std::vector<std::uint8_t> answer(answer_buffer_size);
        const int length = res_nsearch(&state_, name.c_str(), class_in, type_loc, answer.data(),
                                       static_cast<int>(answer.size()));
        if (length < 0) return std::nullopt;
        // A truncated answer reports its full length, which can exceed the buffer.
        answer.resize(std::min(static_cast<std::size_t>(length), answer.size()));
        return answer;
    }

  private:
    struct __res_state state_ {};
    bool ready_ = false;
};

} // namespace

bool loc_lookup(const std::string& host_name, loc_rec& rec) {
    rec.found = 0;
    const std::string name = host_name.substr(0, max_query_name);
    // An IPv6 address (a nameless hop's name) may start with a letter but holds a colon.
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) ||
        name.find(':') != std::string::npos)
        return true;

    resolver dns;
    if (!dns.ready()) return false;
    const auto answer = dns.search_loc(name);
    if (!answer) return false;
    loc_decode(*answer, rec);
    return true;
}

void loc_decode(std::span<const std::uint8_t> message, loc_rec& rec) {
    rec = loc_rec{};
    message_reader in(message);
    if (message.size() < header_size) return;
    in.skip(4);
    const std::uint32_t questions = *in.read(2);
    const std::uint32_t answers = *in.read(2);
    in.skip(4);

    for (std::uint32_t i = 0; i < questions; ++i)
        if (!in.skip_name() || !in.skip(4)) return;

    for (std::uint32_t i = 0; i < answers; ++i) {
        rec.owner_name = expand_name(message, in.position()).value_or(std::string());
        if (!in.skip_name() || in.remaining() < 10) return;
        const std::uint32_t type = *in.read(2);
        const std::uint32_t record_class = *in.read(2);
        rec.ttl = *in.read(4);
        const std::uint32_t length = *in.read(2);
        if (length > in.remaining()) return;
        if (type == type_loc && record_class == class_in) {
            decode_loc_data(message.subspan(in.position(), length), rec);
            return;
        }
        in.skip(length);
    }
    rec.found = 2;
}

std::optional<std::string> expand_name(std::span<const std::uint8_t> message, std::size_t offset) {
    std::string name;
    int pointers = 0;
    for (;;) {
        if (offset >= message.size()) return std::nullopt;
        const std::uint8_t length = message[offset];
        if (length == 0) break;
        if ((length & 0xC0) == 0xC0) {
            if (offset + 1 >= message.size() || ++pointers > max_pointers) return std::nullopt;
            offset = (std::size_t{length} << 8 | message[offset + 1]) & 0x3FFF;
            continue;
        }
        if (length >= message.size() - offset || name.size() + length + 1 > max_name_text)
            return std::nullopt;
        name.append(reinterpret_cast<const char*>(message.data() + offset + 1), length);
        name += '.';
        offset += 1 + std::size_t{length};
    }
    if (!name.empty()) name.pop_back();
    return name;
}

} // namespace hoplot
