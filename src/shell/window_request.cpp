#include "shell/window_request.h"

#include <QFileInfo>

namespace hoplot {
namespace {

bool names_trace_file(const std::string& argument) {
    const QString path = QString::fromStdString(argument);
    return path.endsWith(QStringLiteral(".trc"), Qt::CaseInsensitive) || QFileInfo(path).isFile();
}

} // namespace

window_request_parse parse_window_request(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return {window_request{}, {}};
    if (arguments.size() > 1) return {std::nullopt, "one destination or trace file at most"};
    const std::string& argument = arguments.front();
    if (argument.empty()) return {std::nullopt, "empty destination"};
    if (argument.front() == '-') return {std::nullopt, "unknown option " + argument};
    if (names_trace_file(argument)) return {window_request{{}, argument}, {}};
    return {window_request{argument, {}}, {}};
}

} // namespace hoplot
