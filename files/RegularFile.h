#pragma once
// Every file the program reads (a .dat image, a channel list, Program.ini) and the trace
// it appends to must be a regular file. A pipe with no writer blocks open() forever, a
// terminal blocks read(), and /dev/zero never ends; such paths are refused before a byte
// is read. The path is opened without blocking and what was opened is checked, so a
// file swapped for a pipe between the check and the open is refused as well.

#include <QByteArray>
#include <QFile>
#include <QString>

// Why a folder, device or pipe is refused, as reading and writing both say it.
QString NotRegularFileReason();

// Reads at most `maxBytes` bytes of the regular file `path` (a symbolic link to one is
// followed); every byte when `maxBytes` is negative. False with `reason` set to the
// system's reason, or NotRegularFileReason(), when it cannot.
bool ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* reason);

// Reads standard input to its end, or until more than `maxBytes` bytes came (then
// `bytes` holds maxBytes + 1 of them, so the caller can tell the input was longer).
// False with `reason` set when the read fails.
bool ReadStandardInput(qint64 maxBytes, QByteArray* bytes, QString* reason);

// Opens `file` (by its fileName(), which the open file no longer tells) to append text,
// creating it when missing; refuses a path that names no regular file. False with
// `reason` set when it cannot.
bool OpenRegularFileToAppend(QFile& file, QString* reason);
