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
