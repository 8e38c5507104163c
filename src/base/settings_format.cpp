#include "base/settings_format.h"

#include <QIODevice>
#include <QUrl>

namespace hoplot {
namespace {

const QString general_group = QStringLiteral("General");

QString group_of(const QString& key) {
    const qsizetype slash = key.lastIndexOf('/');
    return slash < 0 ? QString() : key.left(slash);
}

// Names come decoded from "%20" and the like; our own names hold no '%'.
QString name_text(const QByteArray& text) {
    return QUrl::fromPercentEncoding(text.trimmed());
}

// A name or group as written: blanks inside stay as they are, but '%', '=', line breaks, blanks
// at either end and a first character that would make the line a comment or a group are
// percent-encoded, so that it reads back as it was.
QByteArray written_name(const QString& name) {
    const QByteArray text = name.toUtf8();
    QByteArray written;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool at_end = i == 0 || i == text.size() - 1;
        const bool blank = QByteArray(1, c).trimmed().isEmpty();
        if (c == '%' || c == '=' || c == '\n' || c == '\r' || (at_end && blank) ||
            (i == 0 && (c == ';' || c == '#' || c == '[')))
            written +=
                '%' + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
        else
            written += c;
    }
    return written;
}

// "[General]" holds the names outside any group; a group of that name is written encoded.
QByteArray written_group(const QString& group) {
    if (group.isEmpty()) return general_group.toUtf8();
    if (group == general_group) return "%47eneral";
    return written_name(group);
}

} // namespace

bool read_settings_file(QIODevice& device, QSettings::SettingsMap& values) {
    QString group;
    while (!device.atEnd()) {
        QByteArray line = device.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#')) continue;
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            const QByteArray written = trimmed.mid(1, trimmed.size() - 2).trimmed();
            group = written == general_group.toUtf8() ? QString() : name_text(written);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) continue;
        const QString name = name_text(line.left(equals));
        qsizetype start = equals + 1;
        while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
            ++start;
        // Kept as bytes, so that a value the program never changes is written back as it was.
        values.insert(group.isEmpty() ? name : group + '/' + name, line.mid(start));
    }
    return true;
}

namespace {

QByteArray value_text(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) return value.toByteArray();
    return value.toString().toUtf8();
}

// A line break would split a value into lines of its own; such a file is not written at all.
bool fits_on_a_line(const QByteArray& text) {
    return !text.contains('\n') && !text.contains('\r');
}

} // namespace

bool write_settings_file(QIODevice& device, const QSettings::SettingsMap& values) {
    QByteArray text;
    QString group;
    bool first = true;
    for (auto at = values.begin(); at != values.end(); ++at) {
        const QString key_group = group_of(at.key());
        if (first || key_group != group) {
            const QByteArray header = written_group(key_group);
            if (!fits_on_a_line(header)) return false;
            text += (first ? "[" : "\n[") + header + "]\n";
            group = key_group;
            first = false;
        }
        const QByteArray name = written_name(at.key().mid(group.isEmpty() ? 0 : group.size() + 1));
        const QByteArray value = value_text(at.value());
        if (!fits_on_a_line(name) || !fits_on_a_line(value)) return false;
        text += name + '=' + value + '\n';
    }
    return device.write(text) == text.size();
}

QSettings::Format settings_format() {
    static const QSettings::Format format = QSettings::registerFormat(
        QStringLiteral("conf"), read_settings_file, write_settings_file, Qt::CaseSensitive);
    return format;
}

} // namespace hoplot
