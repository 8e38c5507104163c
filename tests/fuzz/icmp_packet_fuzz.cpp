// ICMP packets come from anyone on the network: the parsers must take any bytes.
#include <cstddef>
#include <cstdint>

#include "platform/icmp_packet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    hoplot::parse_raw_answer(data, size);
    hoplot::parse_raw6_answer(data, size, {});
    for (const std::uint8_t type : {hoplot::icmp_echo_reply, hoplot::icmp_echo_request})
        hoplot::parse_icmp_header(data, size, type);
    hoplot::internet_checksum(data, size);
    return 0;
}
