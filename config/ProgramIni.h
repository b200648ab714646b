#pragma once
// Program.ini, read and written with the rules of a Windows private-profile file:
// sections and keys match without regard to case, a missing file, section or key
// reads as the empty text, values are cut to 259 characters, and the first key of a
// name wins. The file is UTF-8 (a byte-order mark is accepted).

#include <QString>

constexpr int kProfileValueMaxLength = 259;

// Why `--config DIR` cannot be used: DIR holds no Program.ini, or one that is no regular
// file (a mistyped folder would start with an empty configuration that refuses every
// frequency). Empty when it can.
QString ConfigFolderProblem(const QString& folder);

QString ReadProfileString(const QString& iniPath, const QString& section, const QString& key);

// Sets `key` in `section`, adding the section or key when missing and keeping every
// other line of the file, its line ending (CR LF or LF) and its byte-order mark. The file
// is replaced only once it is written completely; on failure it stays as it was and
// `reason` (when given) says why.
bool WriteProfileString(const QString& iniPath, const QString& section, const QString& key,
                        const QString& value, QString* reason = nullptr);
