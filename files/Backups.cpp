#include "files/Backups.h"
#include "files/DatFile.h"
#include "radio/OwnTexts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>

namespace {

const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss");
const QString kFirstMark = QStringLiteral("-first");

// "20261207-181500-read.dat", "...-write-2.dat" for the second one in the same second,
// "...-read-first.dat" for the first backup of a radio.
const QRegularExpression& BackupName() {
    static const QRegularExpression name(
        QStringLiteral("^(\\d{8}-\\d{6})-(read|write)(?:-(\\d+))?(-first)?\\.dat$"));
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

void SortNewestFirst(QStringList* names) {
    std::sort(names->begin(), names->end(),
              [](const QString& a, const QString& b) { return KeyOf(a) > KeyOf(b); });
}

bool IsMarkedFirst(const QString& fileName) {
    return !BackupName().match(fileName).captured(4).isEmpty();
}

// The backup files of the folder, newest first; files of other names are the user's.
QStringList BackupFiles(const QDir& folder) {
    QStringList names;
    for (const QString& name : folder.entryList({QStringLiteral("*.dat")}, QDir::Files)) {
        if (BackupName().match(name).hasMatch())
            names << name;
    }
    SortNewestFirst(&names);
    return names;
}

// The backups of one radio, newest first, with their images.
struct RadioBackups {
    QStringList names;
    std::vector<RadioImage> images;
};

RadioBackups BackupsOfRadio(const QDir& folder, const RadioImage& image) {
    const QByteArray radio = RadioOwnBytes(image);
    RadioBackups backups;
    for (const QString& name : BackupFiles(folder)) {
        RadioImage kept;
        if (LoadDatFile(folder.filePath(name), kept, nullptr) && RadioOwnBytes(kept) == radio) {
            backups.names << name;
            backups.images.push_back(kept);
        }
    }
    return backups;
}

// The radio's first backup: the one marked so, else (backups kept before the mark) the
// one with the oldest date.
QString FirstOf(const QStringList& newestFirst) {
    const auto marked = std::find_if(newestFirst.begin(), newestFirst.end(), IsMarkedFirst);
    return marked != newestFirst.end() ? *marked : newestFirst.last();
}

// Removes the radio's backups beyond kBackupsKept, oldest first, never its first one
// nor `justSaved`.
QStringList Prune(const QDir& folder, const QStringList& newestFirst, const QString& justSaved) {
    const QString first = FirstOf(newestFirst);
    int room = kBackupsKept - (first == justSaved ? 1 : 2);
    QStringList removed;
    for (const QString& name : newestFirst) {
        if (name == first || name == justSaved)
            continue;
        if (room > 0)
            --room;
        else if (QFile::remove(folder.filePath(name)))
            removed << folder.filePath(name);
    }
    return removed;
}

QString NewBackupName(const QDir& folder, const QDateTime& now, BackupKind kind, bool first) {
    const QString time = now.toString(kTimeFormat);
    QString stem = time + u'-' + BackupKindName(kind);
    // A later backup in the same second, of either kind, takes the next counter, so
    // that the order of the names is the order of the backups.
    const int sameSecond = folder.entryList({time + QStringLiteral("-*.dat")}, QDir::Files).size();
    if (sameSecond > 0)
        stem += QStringLiteral("-%1").arg(sameSecond + 1);
    return stem + (first ? kFirstMark : QString()) + QStringLiteral(".dat");
}

} // namespace

QString BackupKindName(BackupKind kind) {
    return kind == BackupKind::Read ? QStringLiteral("read") : QStringLiteral("write");
}

QString KeptBackup::note() const {
    if (repeated)
        return OwnText("the image is already kept as %1").arg(path);
    if (removed.isEmpty())
        return QString();
    const QString count = removed.size() == 1 ? OwnText("1 older backup")
                                              : OwnText("%1 older backups").arg(removed.size());
    return OwnText("%1 of this radio removed (its first backup and the newest %2 are "
                          "kept): %3")
        .arg(count)
        .arg(kBackupsKept - 1)
        .arg(removed.join(QStringLiteral(", ")));
}

KeptBackup KeepBackup(const QString& folder, const RadioImage& image, BackupKind kind,
                      const QDateTime& now) {
    KeptBackup kept;
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        kept.error = OwnText("%1: cannot create the backups folder (%2)")
                         .arg(QDir::toNativeSeparators(folder), qt_error_string(errno));
        return kept;
    }
    RadioBackups radio = BackupsOfRadio(dir, image);
    if (!radio.names.isEmpty() && radio.images.front() == image) {
        kept.path = dir.filePath(radio.names.front());
        kept.repeated = true;
        return kept;
    }
    const QString name = NewBackupName(dir, now, kind, radio.names.isEmpty());
    if (!SaveDatFile(dir.filePath(name), image, &kept.error))
        return kept;
    kept.path = dir.filePath(name);
    radio.names << name;
    SortNewestFirst(&radio.names);
    kept.removed = Prune(dir, radio.names, name);
    return kept;
}

std::vector<BackupEntry> ListBackups(const QString& folder) {
    const QDir dir(folder);
    std::vector<BackupEntry> entries;
    for (const QString& name : BackupFiles(dir)) {
        const QRegularExpressionMatch match = BackupName().match(name);
        entries.push_back({dir.filePath(name), QDateTime::fromString(match.captured(1), kTimeFormat),
                           match.captured(2) == BackupKindName(BackupKind::Read) ? BackupKind::Read
                                                                                  : BackupKind::Write,
                           !match.captured(4).isEmpty()});
    }
    return entries;
}

QByteArray RadioOwnBytes(const RadioImage& image, bool withCalibration) {
    const auto region = [&image](int first, int size) {
        return QByteArray(reinterpret_cast<const char*>(image.data()) + first, size);
    };
    const QByteArray tail =
        region(ImageMap::kWritableEnd, ImageMap::kImageSize - ImageMap::kWritableEnd);
    if (!withCalibration)
        return tail;
    return region(ImageMap::kSquelchCalibration, ImageMap::kCalibrationRows) +
           region(ImageMap::kPowerCalibration, 2 * ImageMap::kCalibrationRows) + tail;
}

QString RadioFingerprint(const RadioImage& image, bool withCalibration) {
    return QString::fromLatin1(
        QCryptographicHash::hash(RadioOwnBytes(image, withCalibration), QCryptographicHash::Sha256)
            .toHex());
}

QString RadioLabel(const RadioImage& image) {
    return QString::fromLatin1(
        QCryptographicHash::hash(RadioOwnBytes(image), QCryptographicHash::Sha1).toHex().left(8));
}

std::vector<BackupEntry> ListRadioBackups(const QString& folder, const RadioImage& held) {
    const QByteArray radio = RadioOwnBytes(held);
    std::vector<BackupEntry> backups;
    for (const BackupEntry& entry : ListBackups(folder)) {
        RadioImage kept;
        if (LoadDatFile(entry.path, kept, nullptr) && RadioOwnBytes(kept) == radio)
            backups.push_back(entry);
    }
    return backups;
}

std::vector<BackupEntry> PreWriteReads(const QString& folder, const RadioImage& held) {
    std::vector<BackupEntry> reads;
    bool sinceLastWrite = true;
    for (const BackupEntry& entry : ListRadioBackups(folder, held)) {
        RadioImage kept;
        if (entry.kind != BackupKind::Read || !LoadDatFile(entry.path, kept, nullptr))
            continue;
        if (sinceLastWrite && kept == held)
            continue;
        sinceLastWrite = false;
        reads.push_back(entry);
    }
    return reads;
}
