#include "cli/locate.h"

#include <cstdio>

#include "base/command_arguments.h"
#include "cli/json_text.h"
#include "geolocation/resolve_location.h"
#include "platform/ip_address.h"
#include "trace/trace_store.h"

namespace hoplot {
namespace {

void print_line(const resolution& result, const std::string& name) {
    if (result.location)
        std::printf("%s\t%d\t%d\t%d\t%s\t%s\n", result.location->c_str(), result.position.x,
                    result.position.y, result.kind, source_name(result.source), name.c_str());
    else
        std::printf("Unresolved\t\t\t%d\t%s\t%s\n", result.kind, source_name(result.source),
                    name.c_str());
}

// The hop as --report --json gives it, without a time.
void print_json(const resolution& result, const std::string& name, const std::string& address) {
    hop_rec hop;
    hop.name = name;
    hop.address = address;
    hop.location = result.location.value_or(unresolved_text);
    hop.time.clear();
    hop.kind = result.kind;
    std::printf("%s\n", hop_json(hop, result).c_str());
}

} // namespace

int run_locate(const std::vector<std::string>& args) {
    const argument_parse parsed = parse_arguments(args, "--locate", {{"--json"}});
    if (!parsed.arguments) return bad_usage(parsed.error);
    const std::vector<std::string>& operands = parsed.arguments->operands;
    const auto address = operands.empty() ? std::nullopt : parse_ip(operands[0]);
    if (!address || operands.size() > 2)
        return bad_usage("--locate needs an IPv4 or IPv6 address and may take a host name");
    no_progress progress;
    load_location_sources(progress);

    std::string name = operands.size() > 1 ? operands[1] : std::string();
    // The pipeline sees the address as a trace writes it: dotted, or IPv6 in its short form.
    const std::string text = to_text(*address);
    const resolution result = resolve_location(name, text);
    if (parsed.arguments->has("--json"))
        print_json(result, name, text);
    else
        print_line(result, name);
    return 0;
}

} // namespace hoplot
