#pragma once
// Radio images kept as .dat files: the 1024 bytes of the image, nothing else.

#include "radio/RadioImage.h"

#include <QString>

// Reads a .dat file: at least 1024 bytes, of which the first 1024 are the image.
// On failure `image` is untouched and `error` says why, naming the file.
bool LoadDatFile(const QString& path, RadioImage& image, QString* error);

// Writes the 1024 bytes through AtomicFile: a failed save keeps the old file, and
// `error` names the file and the system's reason.
bool SaveDatFile(const QString& path, const RadioImage& image, QString* error);

// A digest of what the file at `path` holds now, to tell later whether another program
// (or another window) has changed it; empty when there is no readable file there.
QByteArray DatFileFingerprint(const QString& path);
