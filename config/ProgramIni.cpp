#include "config/ProgramIni.h"

#include "files/AtomicFile.h"
#include "files/RegularFile.h"
#include "radio/OwnTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr QChar kByteOrderMark(0xFEFF);

// The text of the file, byte-order mark included; empty when it cannot be read (a
// pipe or a device reads as no file at all).
QString ReadText(const QString& path) {
    QByteArray bytes;
    if (!ReadRegularFile(path, -1, &bytes, nullptr))
        return QString();
    QString text = QString::fromUtf8(bytes);
    // The decoder may drop the mark; it is part of what the file keeps.
    if (bytes.startsWith("\xEF\xBB\xBF") && !text.startsWith(kByteOrderMark))
        text.prepend(kByteOrderMark);
    return text;
}

QStringList SplitLines(QString text) {
    if (text.startsWith(kByteOrderMark))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList ReadLines(const QString& path) {
    return SplitLines(ReadText(path));
}

// The line ending the file already uses (that of its first line); a new file gets the
// platform's own.
QString LineEndingOf(const QString& text) {
    const int newline = text.indexOf(u'\n');
    if (newline < 0) {
#ifdef Q_OS_WIN
        return QStringLiteral("\r\n");
#else
        return QStringLiteral("\n");
#endif
    }
    return newline > 0 && text[newline - 1] == u'\r' ? QStringLiteral("\r\n")
                                                      : QStringLiteral("\n");
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

QString ConfigFolderProblem(const QString& folder) {
    const QString iniPath = QDir(folder).filePath(QStringLiteral("Program.ini"));
    const QFileInfo ini(iniPath);
    if (!ini.exists())
        return OwnText("--config: there is no Program.ini in %1")
            .arg(QDir::toNativeSeparators(QDir(folder).absolutePath()));
    if (!ini.isFile())
        return QStringLiteral("--config: ") + OwnText("%1: cannot open the file (%2)")
            .arg(QDir::toNativeSeparators(ini.absoluteFilePath()), NotRegularFileReason());
    return QString();
}

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
                        const QString& value, QString* reason) {
    const QString oldText = ReadText(iniPath);
    QStringList lines = SplitLines(oldText);
    const QString lineEnding = LineEndingOf(oldText);
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
    const QString mark = oldText.startsWith(kByteOrderMark) ? QString(kByteOrderMark) : QString();
    return AtomicFile::replace(iniPath, (mark + lines.join(lineEnding) + lineEnding).toUtf8(),
                               reason);
}
