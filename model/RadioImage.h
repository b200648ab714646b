#pragma once
// The radio image: a byte-for-byte copy of the radio's configuration memory.

#include "ImageMap.h"

#include <QString>
#include <array>
#include <cstdint>

using RadioImage = std::array<std::uint8_t, ImageMap::kImageSize>;

// The contents of a new document: every byte FF except the fixed header, identity,
// default settings and default calibration of a factory-fresh radio.
RadioImage NewImage();

// Reads a .dat file: at least 1024 bytes, of which the first 1024 are the image.
// On failure `image` is untouched and `error` says why, naming the file.
bool LoadDatFile(const QString& path, RadioImage& image, QString* error);

// Writes the 1024 bytes through AtomicFile: a failed save keeps the old file, and
// `error` names the file and the system's reason.
bool SaveDatFile(const QString& path, const RadioImage& image, QString* error);

// Reads and writes 16-bit little-endian values of the image.
int ReadWordLE(const RadioImage& image, int offset);
void WriteWordLE(RadioImage& image, int offset, int value);
