#pragma once
// A backup of every radio: each image read from a radio, and each image about to be
// written to one, is kept as <YYYYMMDD-HHMMSS>-read.dat or -write.dat in the folder
// the caller names (BackupFolder of config/UserStore.h). The newest kBackupsKept are kept. A backup that cannot be saved is only a
// warning for the caller: it never fails the exchange.

#include "radio/RadioImage.h"

#include <QDateTime>
#include <QString>
#include <vector>

constexpr int kBackupsKept = 200;

enum class BackupKind { Read, Write };

// Saves `image` in `folder` under the time `now`, then removes all but the newest
// kBackupsKept. Returns the path saved, or an empty text with `error` set.
QString SaveBackup(const QString& folder, const RadioImage& image, BackupKind kind,
                   const QDateTime& now, QString* error);

struct BackupEntry {
    QString path;
    QDateTime time;
    QString kind; // "read" or "write"
};

// The backups in `folder`, newest first.
std::vector<BackupEntry> ListBackups(const QString& folder);
