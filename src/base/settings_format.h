#pragma once

#include <QSettings>

namespace hoplot {

// The settings file's format: "[group]" lines and "name=value" lines, both taken literally, so
// that a value edited by hand reads as it was written (commas, semicolons, backslashes, quotes
// and blanks included; only blanks right after '=' are skipped) and is written back byte for
// byte. Names are written with their blanks; the "%20" of files that QSettings' own INI format
// wrote still reads. Lines starting with ';' or '#' are comments.
QSettings::Format settings_format();

// The format's two halves: a file's lines into values, and values into lines (false, and nothing
// written, when a name or a value would not read back as it is).
bool read_settings_file(QIODevice& device, QSettings::SettingsMap& values);
bool write_settings_file(QIODevice& device, const QSettings::SettingsMap& values);

} // namespace hoplot
