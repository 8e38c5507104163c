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

bool read_settings_file(QIODevice& device, QSettings::SettingsMap& values) {
    QString group;
    while (!device.atEnd()) {
        QByteArray line = device.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#')) continue;
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            group = name_text(trimmed.mid(1, trimmed.size() - 2));
            if (group == general_group) group.clear();
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

QByteArray value_text(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) return value.toByteArray();
    return value.toString().toUtf8();
}

// A line break would split a value into lines of its own; such a file is not written at all.
bool fits_on_a_line(const QByteArray& text) {
    return !text.contains('\n') && !text.contains('\r');
}

bool write_settings_file(QIODevice& device, const QSettings::SettingsMap& values) {
    QByteArray text;
    QString group;
    bool first = true;
    for (auto at = values.begin(); at != values.end(); ++at) {
        const QString key_group = group_of(at.key());
        if (first || key_group != group) {
            text += (first ? "[" : "\n[") +
                    (key_group.isEmpty() ? general_group : key_group).toUtf8() + "]\n";
            group = key_group;
            first = false;
        }
        const QByteArray name = at.key().mid(group.isEmpty() ? 0 : group.size() + 1).toUtf8();
        const QByteArray value = value_text(at.value());
        if (name.contains('=') || !fits_on_a_line(name) || !fits_on_a_line(value)) return false;
        text += name + '=' + value + '\n';
    }
    return device.write(text) == text.size();
}

} // namespace

QSettings::Format settings_format() {
    static const QSettings::Format format = QSettings::registerFormat(
        QStringLiteral("conf"), read_settings_file, write_settings_file, Qt::CaseSensitive);
    return format;
}

} // namespace hoplot
