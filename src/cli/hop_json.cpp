#include "cli/hop_json.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "cli/json_text.h"
#include "trace/position_check.h"

namespace hoplot {
namespace {

// A JSON number with fixed decimals in every locale.
std::string json_number(double value, int decimals) {
    char text[48];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

// The measured round trip in milliseconds with three decimals, written from the whole
// microseconds.
std::string rtt_member(const hop_rec& hop) {
    if (!hop.rtt) return {};
    const long long us = std::max<long long>(hop.rtt->count(), 0);
    char text[48];
    std::snprintf(text, sizeof text, ",\"rtt_ms\":%lld.%03lld", us / 1000, us % 1000);
    return text;
}

std::string check_members(const position_verdict& check) {
    if (!check.plausible) return ",\"plausible\":null";
    if (*check.plausible) return ",\"plausible\":true";
    return ",\"plausible\":false,\"bound_km\":" + json_number(check.bound_km, 1) +
           ",\"distance_km\":" + json_number(check.distance_km, 1);
}

} // namespace

std::string hop_json_members(const std::string& name, const std::string& address,
                             const std::string& location, const resolution& where) {
    std::string members = "\"name\":" + json_string(name) + ",\"address\":" + json_string(address) +
                          ",\"location\":" + json_string(location) +
                          ",\"kind\":" + std::to_string(where.kind) +
                          ",\"source\":" + json_string(source_name(where.source));
    if (where.location)
        members += ",\"x\":" + std::to_string(where.position.x) +
                   ",\"y\":" + std::to_string(where.position.y) +
                   ",\"latitude\":" + json_number(where.lat_lon.latitude, 4) +
                   ",\"longitude\":" + json_number(where.lat_lon.longitude, 4);
    if (where.network)
        members += ",\"asn\":" + std::to_string(where.network->number) +
                   ",\"as_name\":" + json_string(where.network->name);
    return members;
}

std::string row_json(const hop_rec& row) {
    if (row.is_status()) return status_json(row.name, row.colour);
    resolution shown = shown_answer(row);
    shown.network = row.network;
    std::string json = "{";
    json += hop_json_members(row.name, row.address, row.location.value_or(""), shown);
    json += ",\"time\":" + json_string(row.time) + rtt_member(row);
    json += ",\"colour\":" + std::to_string(row.colour);
    json += check_members(row.check);
    return json + "}";
}

std::string status_json(const std::string& text, int colour) {
    return "{\"status\":" + json_string(text) + ",\"colour\":" + std::to_string(colour) + "}";
}

} // namespace hoplot
