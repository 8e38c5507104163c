#include "base/data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace hoplot {
namespace {

bool is_data_dir(const QString& path) {
    return QFileInfo(path + "/maps").isDir();
}

// Symbolic links and ".." resolved where the path exists; a directory still to be made is kept
// as written.
std::string with_slash(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    std::string text = QDir::cleanPath(canonical.isEmpty() ? path : canonical).toStdString();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

QString executable_dir() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

} // namespace

std::string find_data_dir_from(const std::string& executable_dir) {
    const QString installed =
        QString::fromStdString(executable_dir) + "/../" + QStringLiteral(HOPLOT_INSTALL_DATA_DIR);
    if (is_data_dir(installed)) return with_slash(installed);
    const QString source = QStringLiteral(HOPLOT_SOURCE_DATA_DIR);
    if (is_data_dir(source)) return with_slash(source);
    return {};
}

std::string find_data_dir() {
    return find_data_dir_from(executable_dir().toStdString());
}

std::string user_data_dir() {
    // Spelled out rather than taken from the application object, which the command line lacks.
    return with_slash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                      "/Varn Software/Hoplot");
}

} // namespace hoplot
