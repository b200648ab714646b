#include "ProgramIni.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

QStringList ReadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// "[Name]" gives "Name"; any other line gives a null string.
QString SectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(u'[') && trimmed.contains(u']'))
        return trimmed.mid(1, trimmed.indexOf(u']') - 1).trimmed();
    return QString();
}

bool SplitKeyValue(const QString& line, QString* key, QString* value) {
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(u';'))
        return false;
    const int equals = trimmed.indexOf(u'=');
    if (equals <= 0)
        return false;
    *key = trimmed.left(equals).trimmed();
    *value = trimmed.mid(equals + 1).trimmed();
    return true;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Surrounding double quotes are removed, as the Windows reader does.
QString Unquote(const QString& value) {
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

QString ReadProfileString(const QString& iniPath, const QString& section, const QString& key) {
    bool inSection = false;
    for (const QString& line : ReadLines(iniPath)) {
        const QString name = SectionName(line);
        if (!name.isNull()) {
            inSection = SameName(name, section);
            continue;
        }
        QString k, v;
        if (inSection && SplitKeyValue(line, &k, &v) && SameName(k, key))
            return Unquote(v).left(kProfileValueMaxLength);
    }
    return QString();
}

bool WriteProfileString(const QString& iniPath, const QString& section, const QString& key,
                        const QString& value) {
    QStringList lines = ReadLines(iniPath);
    const QString newLine = key + u'=' + value;
    int sectionStart = -1;
    int insertAt = -1;
    bool written = false;
    for (int i = 0; i < lines.size() && !written; ++i) {
        const QString name = SectionName(lines[i]);
        if (!name.isNull()) {
            if (sectionStart >= 0)
                break; // the next section starts: the key was not there
            if (SameName(name, section)) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        QString k, v;
        if (SplitKeyValue(lines[i], &k, &v) && SameName(k, key)) {
            lines[i] = newLine;
            written = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!written) {
        if (sectionStart < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines << QString();
            lines << u'[' + section + u']';
            insertAt = lines.size();
        }
        lines.insert(insertAt, newLine);
    }
    QSaveFile file(iniPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    return file.commit();
}
