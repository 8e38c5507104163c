#include "app/window_request.h"

#include <QFileInfo>

#include "base/command_arguments.h"

namespace hoplot {
namespace {

bool names_trace_file(const std::string& argument) {
    const QString path = QString::fromStdString(argument);
    return path.endsWith(QStringLiteral(".trc"), Qt::CaseInsensitive) || QFileInfo(path).isFile();
}

} // namespace

window_request_parse parse_window_request(const std::vector<std::string>& arguments) {
    const argument_parse parsed = parse_arguments(arguments, {}, {});
    if (!parsed.arguments) return {std::nullopt, parsed.error};
    const std::vector<std::string>& operands = parsed.arguments->operands;
    if (operands.empty()) return {window_request{}, {}};
    if (operands.size() > 1) return {std::nullopt, "one destination or trace file at most"};
    const std::string& argument = operands.front();
    if (argument.empty()) return {std::nullopt, "empty destination"};
    if (names_trace_file(argument)) return {window_request{{}, argument}, {}};
    return {window_request{argument, {}}, {}};
}

} // namespace hoplot
