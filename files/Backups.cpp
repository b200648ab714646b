#include "files/Backups.h"
#include "files/DatFile.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss");

// "20261207-181500-read.dat", or "...-write-2.dat" for the second one in the same second.
const QRegularExpression& BackupName() {
    static const QRegularExpression name(
        QStringLiteral("^(\\d{8}-\\d{6})-(read|write)(?:-(\\d+))?\\.dat$"));
    return name;
}

// Newest first: by time, then by the counter of backups within one second.
struct SortKey {
    QString time;
    int counter = 1;
    bool operator>(const SortKey& other) const {
        return time != other.time ? time > other.time : counter > other.counter;
    }
};

SortKey KeyOf(const QString& fileName) {
    const QRegularExpressionMatch match = BackupName().match(fileName);
    SortKey key{match.captured(1), 1};
    if (match.hasCaptured(3) && !match.captured(3).isEmpty())
        key.counter = match.captured(3).toInt();
    return key;
}

QStringList BackupFiles(const QDir& folder) {
    QStringList names;
    for (const QString& name : folder.entryList({QStringLiteral("*.dat")}, QDir::Files)) {
        if (BackupName().match(name).hasMatch())
            names << name;
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return KeyOf(a) > KeyOf(b); });
    return names;
}

void RemoveAllButNewest(const QDir& folder) {
    const QStringList names = BackupFiles(folder);
    for (int i = kBackupsKept; i < names.size(); ++i)
        QFile::remove(folder.filePath(names[i]));
}

} // namespace

QString SaveBackup(const QString& folder, const RadioImage& image, BackupKind kind,
                   const QDateTime& now, QString* error) {
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("%1: cannot create the backups folder").arg(folder);
        return QString();
    }
    const QString time = now.toString(kTimeFormat);
    const QString stem =
        time + (kind == BackupKind::Read ? QStringLiteral("-read") : QStringLiteral("-write"));
    // A later backup in the same second, of either kind, takes the next counter, so
    // that the order of the names is the order of the backups.
    const int sameSecond =
        dir.entryList({time + QStringLiteral("-*.dat")}, QDir::Files).size();
    const QString path = sameSecond == 0
                             ? dir.filePath(stem + QStringLiteral(".dat"))
                             : dir.filePath(QStringLiteral("%1-%2.dat").arg(stem).arg(sameSecond + 1));
    if (!SaveDatFile(path, image, error))
        return QString();
    RemoveAllButNewest(dir);
    return path;
}

std::vector<BackupEntry> ListBackups(const QString& folder) {
    const QDir dir(folder);
    std::vector<BackupEntry> entries;
    for (const QString& name : BackupFiles(dir)) {
        const QRegularExpressionMatch match = BackupName().match(name);
        entries.push_back({dir.filePath(name), QDateTime::fromString(match.captured(1), kTimeFormat),
                           match.captured(2)});
    }
    return entries;
}
