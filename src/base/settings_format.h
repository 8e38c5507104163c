#pragma once

#include <QSettings>

namespace hoplot {

// The settings file's format: "[group]" lines and "name=value" lines, both taken literally, so
// that a value edited by hand reads as it was written (commas, semicolons, backslashes, quotes
// and blanks included; only blanks right after '=' are skipped) and is written back byte for
// byte. Names are written with their blanks; the "%20" of files that QSettings' own INI format
// wrote still reads. Lines starting with ';' or '#' are comments.
QSettings::Format settings_format();

} // namespace hoplot
