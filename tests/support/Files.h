#pragma once
// Files and images as the tests write and compare them.

#include "radio/RadioImage.h"

#include <QByteArray>
#include <QString>

QByteArray ReadFileBytes(const QString& path);
bool WriteFileBytes(const QString& path, const QByteArray& bytes);

// The 1024 bytes of an image, for byte-exact comparisons with files.
QByteArray ImageBytes(const RadioImage& image);

// An image in which neighbouring bytes differ, and images of different seeds differ at
// every byte, so that a byte taken from the wrong place or left out shows.
RadioImage PatternImage(int seed);

// A named pipe or a character device (/dev/null's) at `path`, for the refusals of files
// that are not regular; false where the system has none (Windows) or refuses (a device
// needs root), and the test skips that case.
bool MakeFifo(const QString& path);
bool MakeCharacterDevice(const QString& path);
