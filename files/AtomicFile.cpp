#include "files/AtomicFile.h"

#include "files/RegularFile.h"
#include "radio/OwnTexts.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

QString& InjectedFailure() {
    static QString reason;
    return reason;
}

bool Fail(QString* reason, const QString& why) {
    if (reason)
        *reason = why;
    return false;
}

// Writes everything, or reports the first write that fell short.
bool WriteAll(QSaveFile& file, const QByteArray& data) {
    if (!InjectedFailure().isEmpty()) {
        file.write(data.left(data.size() / 2)); // a disk that fills up half-way
        return false;
    }
    return file.write(data) == data.size();
}

} // namespace

void AtomicFile::failWritesForTesting(const QString& reason) {
    InjectedFailure() = reason;
}

QString AtomicFile::writableTarget(const QString& path, QString* reason) {
    const QFileInfo info(path);
    QString target = path;
    if (info.isSymLink()) {
        // Replace the file the link names, not the link itself. A link to nothing yet
        // creates the file it names. A link that names no path at all (/dev/stdout on a
        // pipe names "pipe:[1234]") leads to no regular file.
        target = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
        if (target.isEmpty()) {
            Fail(reason, NotRegularFileReason());
            return QString();
        }
    }
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && !targetInfo.isFile()) {
        Fail(reason, NotRegularFileReason());
        return QString();
    }
    return target;
}

bool AtomicFile::canReplace(const QString& path, QString* reason) {
    const QString target = writableTarget(path, reason);
    if (target.isEmpty())
        return false;
    const QFileInfo folder(QFileInfo(target).absolutePath());
    if (!folder.isDir())
        return Fail(reason, OwnText("the folder does not exist"));
    if (!folder.isWritable())
        return Fail(reason, OwnText("the folder is not writable"));
    return true;
}

bool AtomicFile::replace(const QString& path, const QByteArray& data, QString* reason) {
    const QString target = writableTarget(path, reason);
    if (target.isEmpty())
        return false;
    QSaveFile file(target);
    // Unbuffered: each write reaches the system at once and its failure shows here. A
    // buffered write that fails only while commit() flushes can go unreported.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(reason, file.errorString());
    if (!WriteAll(file, data)) {
        const QString why =
            InjectedFailure().isEmpty() ? file.errorString() : InjectedFailure();
        file.cancelWriting(); // the temporary file goes; the target stays as it was
        return Fail(reason, why);
    }
    if (!file.flush() || !file.commit())
        return Fail(reason, file.errorString());
    return true;
}
