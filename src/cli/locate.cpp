#include "cli/locate.h"

#include <algorithm>
#include <cstdio>

#include "cli/cli_setup.h"
#include "cli/hop_json.h"
#include "geolocation/resolve_location.h"
#include "platform/ip_address.h"

namespace hoplot {
namespace {

std::string tab_line(const resolution& result, const std::string& name) {
    std::string line = result.location.value_or("Unresolved");
    // Appended field by field: GCC 12 wrongly warns about text prepended to temporaries.
    for (const std::string& field :
         {result.location ? std::to_string(result.position.x) : std::string(),
          result.location ? std::to_string(result.position.y) : std::string(),
          std::to_string(result.kind), std::string(source_name(result.source)), name,
          result.network ? std::to_string(result.network->number) : std::string(),
          result.network ? result.network->name : std::string()}) {
        line += '\t';
        line += field;
    }
    return line;
}

} // namespace

int run_locate(const std::vector<std::string>& args) {
    std::vector<std::string> words = args;
    const auto json = std::find(words.begin(), words.end(), "--json");
    const bool as_json = json != words.end();
    if (as_json) words.erase(json);
    const auto address = words.empty() ? std::nullopt : parse_ip(words[0]);
    if (!address || words.size() > 2) {
        std::fprintf(stderr, "hoplot: --locate needs an IPv4 or IPv6 address and may take a host "
                             "name and --json\n");
        return 2;
    }
    load_cli_sources();

    std::string name = words.size() > 1 ? words[1] : std::string();
    // The pipeline sees the address as a trace writes it: dotted, or IPv6 in its short form.
    const std::string text = to_text(*address);
    const resolution result = resolve_location(name, text);
    if (as_json)
        std::printf(
            "{%s}\n",
            hop_json_members(name, text, result.location.value_or("Unresolved"), result).c_str());
    else
        std::printf("%s\n", tab_line(result, name).c_str());
    return 0;
}

} // namespace hoplot
