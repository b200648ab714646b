#pragma once
// A backup of every radio: each image read from a radio, and each image about to be
// written to one, is kept as <YYYYMMDD-HHMMSS>-read.dat or -write.dat in the folder the
// caller names (BackupFolder of config/UserStore.h).
//
// A radio is told by the bytes that stay its own whatever is written to it: 0x3F1-0x3FF
// and the two calibration tables. For each radio:
// - an image equal to the radio's newest backup is not saved again;
// - the radio's first backup is kept for good (it holds what the radio held before it
//   was programmed here) and is marked "-first" in its name;
// - besides it, the newest kBackupsKept - 1 are kept; older ones are removed, never the
//   one just saved, whatever the dates in the names say (the clock may have been set
//   back).
// A backup that cannot be saved is only a warning for the caller: it never fails the
// exchange.

#include "radio/RadioImage.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

// How many backups of one radio are kept, its first one included.
constexpr int kBackupsKept = 200;

enum class BackupKind { Read, Write };
// "read" or "write", as the backup's file name and chprog backups say it.
QString BackupKindName(BackupKind kind);

// What became of one backup, and what the user is told of it.
struct KeptBackup {
    QString path;        // the backup holding the image; empty when none could be saved
    bool repeated = false; // the image equals the radio's newest backup: `path` is that one
    QStringList removed;   // older backups of the same radio, removed to keep kBackupsKept
    QString error;         // why nothing was saved, naming the folder or file and the reason

    // What was done besides saving: the image already kept, older backups removed.
    QString note() const;
};

// Keeps `image` in `folder` under the time `now` and prunes that radio's backups.
KeptBackup KeepBackup(const QString& folder, const RadioImage& image, BackupKind kind,
                      const QDateTime& now);

struct BackupEntry {
    QString path;
    QDateTime time;
    BackupKind kind = BackupKind::Read;
    bool first = false; // the radio's first backup, kept for good
};

// The backups in `folder`, newest first (by the dates in their names).
std::vector<BackupEntry> ListBackups(const QString& folder);

// The backups of the radio holding `held` (those with its own bytes), newest first.
std::vector<BackupEntry> ListRadioBackups(const QString& folder, const RadioImage& held);

// The reads of the radio holding `held` taken before a write to it, newest first: the
// first is what it held before its last write, the next before the write before it.
// The reads that hold what the radio holds now were taken after its last write (a
// clone reads a radio again once it is written) and are passed over; backups of kind
// "write" hold an image that was about to be written, never what a radio held.
std::vector<BackupEntry> PreWriteReads(const QString& folder, const RadioImage& held);

// The bytes that are the radio's own: 0x3F1-0x3FF, and with `withCalibration` the squelch
// and power tables too (a normal write never sends them; an alignment write does). Backups
// tell radios apart by them, calibration included.
QByteArray RadioOwnBytes(const RadioImage& image, bool withCalibration = true);

// The radio's fingerprint in a programming log: SHA-256 of RadioOwnBytes, in hex.
QString RadioFingerprint(const RadioImage& image, bool withCalibration);

// A short name of the radio an image came from ("3fa2c91e"): the same for every image
// of one radio, whatever its channels and settings.
QString RadioLabel(const RadioImage& image);
