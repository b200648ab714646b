#pragma once
// The one way this program writes a file: the new contents go to a temporary file
// beside the target, every write of it is checked, and only a complete file replaces
// the target. A failed save (a full disk, an I/O error) leaves the old file byte for
// byte as it was and says why.
//
//   QString reason;
//   if (!AtomicFile::replace(path, bytes, &reason))
//       report(QStringLiteral("%1: cannot save the file (%2)").arg(path, reason));
//
// A symbolic link to a regular file is followed: the file it names is replaced and the
// link stays. A target that exists but is no regular file (a folder, a device, a pipe)
// is refused before anything is written.

#include <QByteArray>
#include <QString>

class AtomicFile {
public:
    // Replaces the contents of `path` with `data`. On failure returns false and sets
    // `reason` (when given) to the system's reason in words.
    static bool replace(const QString& path, const QByteArray& data, QString* reason);

    // Whether replace() could write `path` as far as can be told beforehand: the target
    // is a regular file or none yet, and its folder exists and is writable. Lets a
    // command refuse before it does lengthy work whose result it could not keep.
    static bool canReplace(const QString& path, QString* reason);

    // For tests: while `reason` is not empty, every replace() fails part-way through
    // writing its temporary file, as a full disk would, with this reason.
    static void failWritesForTesting(const QString& reason);

private:
    static QString writableTarget(const QString& path, QString* reason);
};
