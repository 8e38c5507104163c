#include "geolocation/host_name_rules.h"

#include <algorithm>

namespace hoplot {
namespace {

char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// From the last dot to the end, dot included; a name without a dot is taken whole.
std::string top_level_domain(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    std::string domain = dot == std::string::npos ? name : name.substr(dot);
    std::transform(domain.begin(), domain.end(), domain.begin(), ascii_lower);
    return domain;
}

// gw1.houston.tx.us gives gw1.houston.tx.u: the dot after the state code stays, so that keys
// such as ".TX." match.
std::string us_search_text(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(0, dot + 2);
}

// gw1.houston.example.net gives gw1.houston.: the name without the organisation's domain.
std::string network_search_text(const std::string& name) {
    const std::size_t last = name.rfind('.');
    if (last == std::string::npos || last == 0) return {};
    const std::size_t before = name.rfind('.', last - 1);
    return before == std::string::npos ? std::string() : name.substr(0, before + 1);
}

void set_position(loc_rec& rec, const coordinates& position) {
    rec.latitude = position.latitude;
    rec.longitude = position.longitude;
}

} // namespace

std::optional<entry_t> org(std::string& host_name, const std::string& address) {
    if (host_name.empty()) return std::nullopt;
    loc_rec rec;
    if (!org_lookup(host_name, rec)) return std::nullopt;
    return entry_from_loc_rec(rec, address, host_name);
}

bool org_lookup(std::string& host_name, loc_rec& rec) {
    if (host_name.empty() || host_name.size() > max_rule_text) return false;
    const std::string domain = top_level_domain(host_name);
    // Every equal row applies; where a domain is listed twice the later row stands.
    for (const domain_rule& rule : domain_rules()) {
        if (rule.domain != domain) continue;
        if (rule.position) set_position(rec, *rule.position);
        if (rule.places) org_places(host_name, rec, *rule.places);
    }
    return rec.latitude != 0.0 && rec.longitude != 0.0;
}

void org_places(std::string& host_name, loc_rec& rec, place_variant variant) {
    std::string text =
        variant == place_variant::us ? us_search_text(host_name) : network_search_text(host_name);
    if (text.empty() || text.size() > max_rule_text) return;
    std::transform(text.begin(), text.end(), text.begin(), ascii_upper);
    // Keys are plain substrings and every matching row applies: the last match stands.
    for (const place_rule& rule : place_rules(variant)) {
        const bool matches = std::any_of(rule.keys.begin(), rule.keys.end(), [&](auto key) {
            return text.find(key) != std::string::npos;
        });
        if (!matches) continue;
        set_position(rec, rule.position);
        host_name[0] = '*';
    }
}

} // namespace hoplot
