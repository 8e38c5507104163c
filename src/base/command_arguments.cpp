#include "base/command_arguments.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace hoplot {
namespace {

bool is_option(const std::string& argument) {
    return argument.size() > 1 && argument.front() == '-';
}

std::string not_taken(std::string_view mode, const std::string& option) {
    if (mode.empty()) return "unknown option " + option;
    return std::string(mode) + " does not take " + option;
}

} // namespace

bool command_arguments::has(std::string_view name) const {
    return std::any_of(options.begin(), options.end(),
                       [name](const auto& given) { return given.first == name; });
}

std::optional<std::string> command_arguments::value(std::string_view name) const {
    const auto last = std::find_if(options.rbegin(), options.rend(),
                                   [name](const auto& given) { return given.first == name; });
    if (last == options.rend()) return std::nullopt;
    return last->second;
}

std::optional<int> number_argument(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

argument_parse parse_arguments(const std::vector<std::string>& args, std::string_view mode,
                               std::initializer_list<option_spec> options) {
    command_arguments parsed;
    bool operands_only = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& argument = args[i];
        if (operands_only || !is_option(argument)) {
            parsed.operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            operands_only = true;
            continue;
        }
        const auto known = std::find_if(options.begin(), options.end(),
                                        [&](const option_spec& o) { return o.name == argument; });
        if (known == options.end()) return {std::nullopt, not_taken(mode, argument)};
        if (known->value.empty()) {
            parsed.options.emplace_back(argument, std::string());
            continue;
        }
        if (i + 1 == args.size())
            return {std::nullopt, argument + " needs " + std::string(known->value)};
        parsed.options.emplace_back(argument, args[++i]);
    }
    return {std::move(parsed), {}};
}

int bad_usage(const std::string& error) {
    std::fprintf(stderr, "hoplot: %s (hoplot --help shows the usage)\n", error.c_str());
    return 2;
}

} // namespace hoplot
