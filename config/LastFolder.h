#pragma once
// The folder the user last opened or saved a .dat file in, kept per user across runs,
// so that File > Open and Save As start there rather than in the working folder.

#include <QString>

// Each takes the Program.ini whose user store keeps the folder.

// The remembered folder; empty before the first open or save (the file dialog then
// starts in the working folder).
QString LastFileFolder(const QString& iniPath);

// Remembers the folder of `filePath` (after a successful open or save).
void RememberFileFolder(const QString& iniPath, const QString& filePath);

// Where Save As starts for `proposedPath`: a bare file name goes into the remembered
// folder; a path with a folder of its own is kept.
QString InLastFolder(const QString& iniPath, const QString& proposedPath);
