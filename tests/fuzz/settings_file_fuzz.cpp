// The settings file is edited by hand: whatever it holds reads without harm, and what it reads
// is written back so that it reads the same again.
#include <QBuffer>
#include <cstddef>
#include <cstdint>

#include "base/settings_format.h"

namespace {

QSettings::SettingsMap read_values(QByteArray text) {
    QBuffer file(&text);
    file.open(QIODevice::ReadOnly);
    QSettings::SettingsMap values;
    hoplot::read_settings_file(file, values);
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QSettings::SettingsMap values =
        read_values(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    QByteArray written;
    QBuffer file(&written);
    file.open(QIODevice::WriteOnly);
    if (!hoplot::write_settings_file(file, values)) return 0;
    if (read_values(written) != values) __builtin_trap();
    return 0;
}
