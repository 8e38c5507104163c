#include "cli/locate.h"

#include <cstdio>

#include "base/command_arguments.h"
#include "cli/cli_setup.h"
#include "cli/hop_json.h"
#include "cli/json_text.h"
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

int run_locate(const std::vector<std::string>& args, const settings& values) {
    const argument_parse parsed = parse_arguments(args, "--locate", {{"--json"}});
    if (!parsed.arguments) return bad_usage(parsed.error);
    const std::vector<std::string>& operands = parsed.arguments->operands;
    const auto address = operands.empty() ? std::nullopt : parse_ip(operands[0]);
    if (!address || operands.size() > 2)
        return bad_usage("--locate needs an IPv4 or IPv6 address and may take a host name");
    load_cli_sources(values);

    std::string name = operands.size() > 1 ? operands[1] : std::string();
    // The pipeline sees the address as a trace writes it: dotted, or IPv6 in its short form.
    const std::string text = to_text(*address);
    const resolution result = resolve_location(name, text, app_location_sources(values));
    if (parsed.arguments->has("--json"))
        std::printf(
            "{%s}\n",
            hop_json_members(name, text, result.location.value_or("Unresolved"), result).c_str());
    else
        std::printf("%s\n", tab_line(result, name).c_str());
    return 0;
}

} // namespace hoplot
