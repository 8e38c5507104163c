#include "cli/hop_json.h"

#include "cli/json_text.h"

namespace hoplot {

std::string hop_json_members(const std::string& name, const std::string& address,
                             const std::string& location, const resolution& where) {
    std::string members = "\"name\":" + json_string(name) + ",\"address\":" + json_string(address) +
                          ",\"location\":" + json_string(location) +
                          ",\"kind\":" + std::to_string(where.kind) +
                          ",\"source\":" + json_string(source_name(where.source));
    if (where.location)
        members += ",\"x\":" + std::to_string(where.position.x) +
                   ",\"y\":" + std::to_string(where.position.y);
    if (where.network)
        members += ",\"asn\":" + std::to_string(where.network->number) +
                   ",\"as_name\":" + json_string(where.network->name);
    return members;
}

} // namespace hoplot
