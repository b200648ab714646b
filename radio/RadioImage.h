#pragma once
// The radio image: a byte-for-byte copy of the radio's configuration memory.

#include "radio/ImageMap.h"

#include <array>
#include <cstdint>

using RadioImage = std::array<std::uint8_t, ImageMap::kImageSize>;

// The contents of a new document: every byte FF except the fixed header, identity,
// default settings and default calibration of a factory-fresh radio.
RadioImage NewImage();

// Reads and writes 16-bit little-endian values of the image.
int ReadWordLE(const RadioImage& image, int offset);
void WriteWordLE(RadioImage& image, int offset, int value);
