#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hoplot {

// An option a command-line mode takes: its name ("--save") and, when it takes a value, what the
// value is ("FILE.trc"); a switch has none.
struct option_spec {
    std::string_view name;
    std::string_view value = {};
};

// A mode's arguments: the options given, in order, each with its value, and the operands.
struct command_arguments {
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> operands;

    bool has(std::string_view name) const;
    // The value of the last one given.
    std::optional<std::string> value(std::string_view name) const;
};

struct argument_parse {
    std::optional<command_arguments> arguments; // none: bad usage, said in error
    std::string error;
};

// A whole decimal number from low to high, as an option's value; none for anything else.
std::optional<int> number_argument(std::string_view text, int low, int high);

// Options are recognised wherever they stand, a value always in the argument after its option;
// after "--" everything is an operand, and so is "-" alone. An option the mode does not take,
// or one without its value, is bad usage, and the error names it: "--show does not take --save"
// (for the window, whose mode is empty: "unknown option --json"), "--save needs FILE.trc".
argument_parse parse_arguments(const std::vector<std::string>& args, std::string_view mode,
                               std::initializer_list<option_spec> options);

// Says on one line of standard error what is wrong with the arguments ("hoplot: --show does
// not take --json") and where the usage is; returns the bad-usage status, 2.
int bad_usage(const std::string& error);

} // namespace hoplot
